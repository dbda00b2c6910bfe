#include "app/Settings.h"
#include "app/TfmMain.h"
#include "link/LogFormat.h"

#include <QColor>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QColor ColorFromCode(TColor code) {
    return QColor(int(code & 0xFF), int((code >> 8) & 0xFF), int((code >> 16) & 0xFF));
}

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
    format.setForeground(ColorFromCode(KindColor(kind)));
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    for (const QString& line : FormatLogLines(text, LogPrefix(kind))) {
        // The empty document already holds one empty block: the first line goes there.
        if (!doc->isEmpty())
            cursor.insertBlock();
        cursor.insertText(line, format);
    }
    // The pane's block cap (kLogMaxLines) drops the oldest lines; the caret
    // goes to the end with no selection so the newest line is in view.
    LogLines->moveCursor(QTextCursor::End);
}
