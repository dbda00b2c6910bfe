#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

enum TXmlPartKind {
    ptNone,
    ptXmlProlog, // <?xml ... ?>
    ptComment,   // <!-- ... -->
    ptPI,        // <?target ... ?>
    ptDtdc,      // <!DOCTYPE ...>
    ptStartTag,  // <name ...>
    ptEmptyTag,  // <name ... />
    ptEndTag,    // </name>
    ptContent,   // text between tags (trimmed, blank runs folded)
    ptCData      // <![CDATA[ ... ]]>
};

// Forward-only pull reader. Input is always taken as UTF-8; names, values and
// texts are delivered as they survive the 8-bit code page. It never rejects
// input: an unclosed construct runs to the end of the input. Linear in the
// input size.
class TXmlParser {
public:
    TXmlParser() = default;
    // False (reader left empty) when the file cannot be opened or read.
    bool LoadFromFile(const QString& path);
    void LoadFromBuffer(const QByteArray& utf8);
    void Clear();

    // Advances to the next part; false at the end of the input.
    bool Scan();

    TXmlPartKind CurPartType() const { return FPartType; }
    // Tag or PI name; text, CDATA and comments keep the previous part's name.
    const QString& CurName() const { return FName; }
    // Attribute by exact name; absent reads as empty.
    QString CurAttr(const QString& name) const;
    const QString& CurContent() const { return FContent; }

private:
    bool ScanMarkup();
    bool ScanText();
    bool ScanTag(qsizetype from, bool endTag);
    qsizetype ParseAttributes(qsizetype from, qsizetype limit, bool stopAtGt, bool* emptyTag);
    qsizetype FindText(const char* what, qsizetype from) const;

    QByteArray FData;
    qsizetype FPos = 0;
    TXmlPartKind FPartType = ptNone;
    QString FName;
    QString FContent;
    QHash<QString, QString> FAttrs;
};
