#pragma once

#include <QString>
#include <QStringList>

// Cuts the next line off buffer. Terminators CR LF, CR, LF, NUL; the earliest
// wins, and at the same position the longer one. False (buffer untouched)
// when there is no terminator.
bool ExtractLine(QString& buffer, QString& line);
// The same rule on text from pos on, without cutting the text: pos moves past
// the terminator. A long text is then cut into lines in one pass.
bool ExtractLine(const QString& text, qsizetype& pos, QString& line);

// Text without the blanks and control characters (codes up to 32) at
// either end.
QString TrimControls(QStringView s);

// Comma-separated items, trimmed; double quotes protect commas.
void SplitList(const QString& text, QStringList& list);
QStringList SplitList(const QString& text);
