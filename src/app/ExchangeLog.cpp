#include "ExchangeLog.h"
#include "ColorList.h"
#include "TfmMain.h"
#include "base/Translate.h"
#include "link/LogFormat.h"
#include "link/LogPane.h"
#include "settings/Settings.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

TColor KindColor(int kind) {
    switch (kind) {
    case lkRead:
        return Settings.ReadColorText;
    case lkWrite:
        return Settings.WriteColorText;
    case lkReadError:
        return Settings.ReadErrorColorText;
    case lkWriteError:
        return Settings.WriteErrorColorText;
    default:
        return Settings.GeneralErrorColorText;
    }
}

} // namespace

QPlainTextEdit* CreateLogPane(QWidget* parent) {
    auto* pane = new QPlainTextEdit(parent);
    pane->setObjectName(QStringLiteral("LogLines"));
    pane->setReadOnly(true);
    pane->setLineWrapMode(QPlainTextEdit::NoWrap);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pane->setUndoRedoEnabled(false);
    pane->setMaximumBlockCount(kLogMaxLines);
    // Log lines need no ligatures or kerning; leaving out text shaping
    // halves the cost of every appended line.
    QFont logFont = pane->font();
    logFont.setStyleStrategy(QFont::PreferNoShaping);
    pane->setFont(logFont);
    return pane;
}

void AppendLogText(QPlainTextEdit* pane, const QString& text, int kind) {
    if (text.isEmpty() || !pane)
        return;
    if (kind < lkRead || kind > lkGeneral)
        AppendLogText(pane, TrMain("Неизвестный тип протоколирования ") + QString::number(kind),
                      lkGeneral);

    QTextDocument* doc = pane->document();
    QTextCharFormat format;
    format.setForeground(ColorToQColor(KindColor(kind)));
    // One edit block per call: the pane lays the new lines out once, not
    // after every insertion step.
    const QDateTime now = QDateTime::currentDateTime();
    QTextCursor cursor(doc);
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    for (const QString& line : FormatLogLines(text, LogPrefix(kind))) {
        // The empty document already holds one empty block: the first line goes there.
        if (!doc->isEmpty())
            cursor.insertBlock();
        cursor.insertText(line, format);
        QTextBlock block = cursor.block();
        StampLogBlock(block, now);
    }
    cursor.endEditBlock();
    // The pane's block cap (kLogMaxLines) has dropped the oldest lines. A
    // caret at the end moves along with the appended text by itself; only
    // one the operator put elsewhere is brought back, with no selection.
    const QTextCursor caret = pane->textCursor();
    if (!caret.atEnd() || caret.hasSelection())
        pane->moveCursor(QTextCursor::End);
    QScrollBar* bar = pane->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void TfmMain::WriteLog(const QString& text, int kind) {
    AppendLogText(LogLines, text, kind);
}
