#include "ColorList.h"
#include "TfmMain.h"
#include "link/LogFormat.h"
#include "link/LogPane.h"
#include "settings/Settings.h"

#include <QColor>
#include <QDateTime>
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

void TfmMain::WriteLog(const QString& text, int kind) {
    if (text.isEmpty() || !LogLines)
        return;
    if (kind < lkRead || kind > lkGeneral)
        WriteLog(tr("Неизвестный тип протоколирования ") + QString::number(kind), lkGeneral);

    QTextDocument* doc = LogLines->document();
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
    const QTextCursor caret = LogLines->textCursor();
    if (!caret.atEnd() || caret.hasSelection())
        LogLines->moveCursor(QTextCursor::End);
    QScrollBar* bar = LogLines->verticalScrollBar();
    bar->setValue(bar->maximum());
}
