#include "base/XmlParser.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString KindCode(TXmlPartKind kind) {
    switch (kind) {
    case ptXmlProlog:
        return QStringLiteral("decl");
    case ptComment:
        return QStringLiteral("comment");
    case ptPI:
        return QStringLiteral("pi");
    case ptDtdc:
        return QStringLiteral("dtd");
    case ptStartTag:
        return QStringLiteral("start");
    case ptEmptyTag:
        return QStringLiteral("empty");
    case ptEndTag:
        return QStringLiteral("end");
    case ptContent:
        return QStringLiteral("text");
    case ptCData:
        return QStringLiteral("cdata");
    case ptNone:
        break;
    }
    return QStringLiteral("none");
}

// Every part as "kind:name" or, for parts with content, "kind:name:content".
QStringList Parts(TXmlParser& xml) {
    QStringList parts;
    while (xml.Scan()) {
        QString s = KindCode(xml.CurPartType()) + QLatin1Char(':') + xml.CurName();
        if (!xml.CurContent().isEmpty())
            s += QLatin1Char(':') + xml.CurContent();
        parts << s;
    }
    return parts;
}

QStringList Parts(const QByteArray& input) {
    TXmlParser xml;
    xml.LoadFromBuffer(input);
    return Parts(xml);
}

// Attribute of the first start or empty-element tag.
QString FirstTagAttr(const QByteArray& input, const QString& name) {
    TXmlParser xml;
    xml.LoadFromBuffer(input);
    while (xml.Scan()) {
        if (xml.CurPartType() == ptStartTag || xml.CurPartType() == ptEmptyTag)
            return xml.CurAttr(name);
    }
    return QStringLiteral("<no tag>");
}

// Content of the first text part.
QString FirstText(const QByteArray& input) {
    TXmlParser xml;
    xml.LoadFromBuffer(input);
    while (xml.Scan()) {
        if (xml.CurPartType() == ptContent)
            return xml.CurContent();
    }
    return QStringLiteral("<no text>");
}

} // namespace

class TestXmlParser : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void partsInDocumentOrder_data();
    void partsInDocumentOrder();
    void attributeValues_data();
    void attributeValues();
    void textContent_data();
    void textContent();
    void blankTextBetweenTagsIsNoPart();
    void inputIsAlwaysUtf8();
    void unclosedConstructEndsTheScan_data();
    void unclosedConstructEndsTheScan();
    void emptyReaderHasNoParts();
    void scanStaysAtEndOnceFinished();
    void loadFromFileReadsWholeFile();
    void loadFromMissingFileFails();
    void pathologicalInputFinishes_data();
    void pathologicalInputFinishes();
    void randomGarbageFinishes();
};

void TestXmlParser::partsInDocumentOrder_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("parts");

    QTest::newRow("every kind")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE profile><!-- note --><?style x?>"
                      "<profile><page/>hello<![CDATA[ <raw> ]]></profile>")
        << QStringList({"decl:", "dtd::DOCTYPE profile", "comment:: note ", "pi:style:x",
                        "start:profile", "empty:page", "text:page:hello", "cdata:page: <raw> ",
                        "end:profile"});
    QTest::newRow("text carries the last tag name")
        << QByteArray("<a>one<b/>two</b>three")
        << QStringList({"start:a", "text:a:one", "empty:b", "text:b:two", "end:b", "text:b:three"});
    QTest::newRow("comment keeps the previous name")
        << QByteArray("<value><!--x-->5</value>")
        << QStringList({"start:value", "comment:value:x", "text:value:5", "end:value"});
    QTest::newRow("names keep their case")
        << QByteArray("<Page><COMMAND/></page>")
        << QStringList({"start:Page", "empty:COMMAND", "end:page"});
    QTest::newRow("slash before the closing bracket")
        << QByteArray("<a x=\"1\" /><b/><c / ><d x=1/>")
        << QStringList({"empty:a", "empty:b", "empty:c", "empty:d"});
    QTest::newRow("slash inside a value is no empty tag")
        << QByteArray("<a x=\"/\"><b x='a/b'>") << QStringList({"start:a", "start:b"});
    QTest::newRow("bracket inside a value does not end the tag")
        << QByteArray("<a x=\"1>2\" y='<'>t</a>") << QStringList({"start:a", "text:a:t", "end:a"});
    QTest::newRow("end tag with blanks") << QByteArray("</page  >") << QStringList({"end:page"});
    QTest::newRow("end tags need not match")
        << QByteArray("<a></b></c>") << QStringList({"start:a", "end:b", "end:c"});
    QTest::newRow("doctype with internal subset")
        << QByteArray("<!DOCTYPE p [<!ENTITY e \"a>b\">]><p/>")
        << QStringList({"dtd::DOCTYPE p [<!ENTITY e \"a>b\">]", "empty:p"});
    QTest::newRow("text outside the root")
        << QByteArray("before<r/>after")
        << QStringList({"text::before", "empty:r", "text:r:after"});
    QTest::newRow("byte order mark skipped")
        << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?><r/>")
        << QStringList({"decl:", "empty:r"});
    QTest::newRow("comment with dashes and brackets")
        << QByteArray("<!-- a -- <b> -->") << QStringList({"comment:: a -- <b> "});
    QTest::newRow("CDATA keeps blanks and markup")
        << QByteArray("<a><![CDATA[  x  &amp; ]]></a>")
        << QStringList({"start:a", "cdata:a:  x  &amp; ", "end:a"});
}

void TestXmlParser::partsInDocumentOrder() {
    QFETCH(QByteArray, input);
    QFETCH(QStringList, parts);
    QCOMPARE(Parts(input), parts);
}

void TestXmlParser::attributeValues_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");

    QTest::newRow("double quotes") << QByteArray("<a x=\"1\"/>") << "x"
                                   << "1";
    QTest::newRow("single quotes") << QByteArray("<a x='it \"is\"'/>") << "x"
                                   << "it \"is\"";
    QTest::newRow("blanks around the equals sign") << QByteArray("<a x = \"1\"/>") << "x"
                                                   << "1";
    QTest::newRow("absent reads as empty") << QByteArray("<a x=\"1\"/>") << "y"
                                           << "";
    QTest::newRow("name compares with exact case") << QByteArray("<a Type=\"hex\"/>") << "type"
                                                   << "";
    QTest::newRow("value not trimmed") << QByteArray("<a x=\"  1 \"/>") << "x"
                                       << "  1 ";
    QTest::newRow("line break becomes a space") << QByteArray("<a d=\"first\nsecond\"/>") << "d"
                                                << "first second";
    QTest::newRow("CR LF becomes two spaces") << QByteArray("<a d=\"a\r\nb\"/>") << "d"
                                              << "a  b";
    QTest::newRow("tab becomes a space") << QByteArray("<a d=\"a\tb\"/>") << "d"
                                         << "a b";
    QTest::newRow("predefined entities")
        << QByteArray("<a d=\"&lt;&gt;&amp;&apos;&quot;\"/>") << "d"
        << "<>&'\"";
    QTest::newRow("less-than in a description")
        << QByteArray("<a description=\"U &lt; 12\"/>") << "description"
        << "U < 12";
    QTest::newRow("decimal reference")
        << QByteArray("<a d=\"&#65;&#1046;\"/>") << "d" << QString::fromUtf8("AЖ");
    QTest::newRow("hex reference")
        << QByteArray("<a d=\"&#x41;&#x416;\"/>") << "d" << QString::fromUtf8("AЖ");
    QTest::newRow("reference outside the code page") << QByteArray("<a d=\"&#x4E2D;\"/>") << "d"
                                                     << "?";
    QTest::newRow("entity is not expanded twice") << QByteArray("<a d=\"&amp;lt;\"/>") << "d"
                                                  << "&lt;";
    QTest::newRow("unknown entity kept") << QByteArray("<a d=\"&nbsp;x\"/>") << "d"
                                         << "&nbsp;x";
    QTest::newRow("ampersand alone kept") << QByteArray("<a d=\"R&D\"/>") << "d"
                                          << "R&D";
    QTest::newRow("Cyrillic value")
        << QByteArray("<a d=\"Основные\"/>") << "d" << QString::fromUtf8("Основные");
    QTest::newRow("name without value") << QByteArray("<a flag x=\"1\"/>") << "x"
                                        << "1";
    QTest::newRow("unquoted value") << QByteArray("<a x=12 y=3>") << "y"
                                    << "3";
    QTest::newRow("first of two equal names counts") << QByteArray("<a x=\"1\" x=\"2\"/>") << "x"
                                                     << "1";
    QTest::newRow("empty value") << QByteArray("<a x=\"\" y=\"2\"/>") << "y"
                                 << "2";
    QTest::newRow("mask with backslashes and brackets")
        << QByteArray("<a m=\"^\\+?[0-9]*$\"/>") << "m"
        << "^\\+?[0-9]*$";
}

void TestXmlParser::attributeValues() {
    QFETCH(QByteArray, input);
    QFETCH(QString, name);
    QFETCH(QString, value);
    QCOMPARE(FirstTagAttr(input, name), value);
}

void TestXmlParser::textContent_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("text");

    QTest::newRow("trimmed") << QByteArray("<a>  \r\n value \t</a>") << "value";
    QTest::newRow("inner blank runs folded")
        << QByteArray("<a>one \r\n\t two   three</a>") << "one two three";
    QTest::newRow("predefined entities")
        << QByteArray("<a>&lt;b&gt; &amp; &apos;&quot;</a>") << "<b> & '\"";
    QTest::newRow("numeric references")
        << QByteArray("<a>&#1025;&#x451;</a>") << QString::fromUtf8("Ёё");
    QTest::newRow("unreadable decimal reference gives a space")
        << QByteArray("<a>x&#1z;y</a>") << "x y";
    QTest::newRow("unreadable hex reference gives a space")
        << QByteArray("<a>x&#xG;y</a>") << "x y";
    QTest::newRow("empty reference gives a space") << QByteArray("<a>x&#;y</a>") << "x y";
    QTest::newRow("reference to zero gives a space") << QByteArray("<a>x&#0;y</a>") << "x y";
    QTest::newRow("reference beyond Unicode gives a space")
        << QByteArray("<a>x&#x110000;y</a>") << "x y";
    QTest::newRow("surrogate reference gives a space") << QByteArray("<a>x&#xD800;y</a>") << "x y";
    QTest::newRow("unknown entity kept") << QByteArray("<a>&copy;</a>") << "&copy;";
    QTest::newRow("ampersand without semicolon kept") << QByteArray("<a>a & b</a>") << "a & b";
    QTest::newRow("reference spelling a blank is not folded")
        << QByteArray("<a>a&#32;&#32;b</a>") << "a  b";
    QTest::newRow("Cyrillic text")
        << QByteArray("<a> Привет,  мир </a>") << QString::fromUtf8("Привет, мир");
}

void TestXmlParser::textContent() {
    QFETCH(QByteArray, input);
    QFETCH(QString, text);
    QCOMPARE(FirstText(input), text);
}

void TestXmlParser::blankTextBetweenTagsIsNoPart() {
    QCOMPARE(Parts("<a>\r\n  \t<b/>\n\n</a>\n"), QStringList({"start:a", "empty:b", "end:a"}));
}

void TestXmlParser::inputIsAlwaysUtf8() {
    // The declaration names another encoding; the bytes are UTF-8 all the same.
    const QByteArray input = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>"
                             "<page name=\"Навигация\">Ёлка 中 \xFF</page>";
    TXmlParser xml;
    xml.LoadFromBuffer(input);
    QVERIFY(xml.Scan());
    QCOMPARE(xml.CurPartType(), ptXmlProlog);
    QCOMPARE(xml.CurAttr("encoding"), QStringLiteral("windows-1251"));
    QVERIFY(xml.Scan());
    QCOMPARE(xml.CurAttr("name"), QString::fromUtf8("Навигация"));
    QVERIFY(xml.Scan());
    // Outside the code page: "?"; a byte that is no UTF-8 at all: "?" too.
    QCOMPARE(xml.CurContent(), QString::fromUtf8("Ёлка ? ?"));
}

void TestXmlParser::unclosedConstructEndsTheScan_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("parts");

    const QStringList before({"empty:a"});
    QTest::newRow("comment") << QByteArray("<a/><!-- open <b/> <c/>") << before;
    QTest::newRow("processing instruction") << QByteArray("<a/><?pi <b/>") << before;
    QTest::newRow("CDATA") << QByteArray("<a/><![CDATA[ <b/> ]>") << before;
    QTest::newRow("doctype") << QByteArray("<a/><!DOCTYPE x [ <b/>") << before;
    QTest::newRow("start tag") << QByteArray("<a/><b x=\"1\"") << before;
    QTest::newRow("attribute quote") << QByteArray("<a/><b x=\"1/><c/>") << before;
    QTest::newRow("end tag") << QByteArray("<a/></b") << before;
    QTest::newRow("lone bracket") << QByteArray("<a/><") << before;
    QTest::newRow("truncated comment opener") << QByteArray("<a/><!-") << before;
}

void TestXmlParser::unclosedConstructEndsTheScan() {
    QFETCH(QByteArray, input);
    QFETCH(QStringList, parts);
    QCOMPARE(Parts(input), parts);
}

void TestXmlParser::emptyReaderHasNoParts() {
    TXmlParser xml;
    QVERIFY(!xml.Scan());
    QCOMPARE(xml.CurPartType(), ptNone);
    xml.LoadFromBuffer(QByteArray());
    QVERIFY(!xml.Scan());
    xml.LoadFromBuffer("<a/>");
    xml.Clear();
    QVERIFY(!xml.Scan());
}

void TestXmlParser::scanStaysAtEndOnceFinished() {
    TXmlParser xml;
    xml.LoadFromBuffer("<a/>");
    QVERIFY(xml.Scan());
    QVERIFY(!xml.Scan());
    QVERIFY(!xml.Scan());
    // A fresh load starts over.
    xml.LoadFromBuffer("<b/>");
    QVERIFY(xml.Scan());
    QCOMPARE(xml.CurName(), QStringLiteral("b"));
}

void TestXmlParser::loadFromFileReadsWholeFile() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("p.xml");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray body = "<r>";
    for (int i = 0; i < 5000; ++i)
        body += "<item n=\"" + QByteArray::number(i) + "\" d=\"Описание\"/>\n";
    body += "</r>";
    file.write(body);
    file.close();

    TXmlParser xml;
    QVERIFY(xml.LoadFromFile(path));
    int items = 0;
    QString last;
    while (xml.Scan()) {
        if (xml.CurPartType() == ptEmptyTag) {
            ++items;
            last = xml.CurAttr("n");
            QCOMPARE(xml.CurAttr("d"), QString::fromUtf8("Описание"));
        }
    }
    QCOMPARE(items, 5000);
    QCOMPARE(last, QStringLiteral("4999"));
}

void TestXmlParser::loadFromMissingFileFails() {
    TXmlParser xml;
    xml.LoadFromBuffer("<stale/>");
    QVERIFY(!xml.LoadFromFile(QStringLiteral("/nonexistent/dir/cmdprofile.xml")));
    QVERIFY(!xml.Scan());
    QTemporaryDir dir;
    QVERIFY(!xml.LoadFromFile(dir.path())); // a folder is no file
    QVERIFY(!xml.Scan());
}

void TestXmlParser::pathologicalInputFinishes_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("maxParts");

    // Each input is large enough that a reader rescanning from the start or
    // looking far ahead for every character would not finish in any sensible
    // time; the part counts show every scan step made progress.
    constexpr int kSize = 1 << 20;
    QTest::newRow("1 MB of <") << QByteArray(kSize, '<') << 0;
    QTest::newRow("1 MB of &") << QByteArray(kSize, '&') << 1;
    QTest::newRow("1 MB of &#") << QByteArray("<a>") + QByteArray("&#").repeated(kSize / 2) << 2;
    QTest::newRow("comment openers") << QByteArray("<!--").repeated(kSize / 4) << 0;
    QTest::newRow("unclosed attribute starts") << QByteArray("<a x=\"").repeated(kSize / 6) << 0;
    QTest::newRow("attribute names without values")
        << "<a " + QByteArray("b ").repeated(kSize / 2) << 0;
    QTest::newRow("many empty tags") << QByteArray("<a/>").repeated(kSize / 4) << kSize / 4;
    QTest::newRow("many closing brackets") << QByteArray(kSize, '>') << 1;
    QTest::newRow("nested brackets in a doctype") << "<!DOCTYPE " + QByteArray(kSize, '[') << 0;
    QTest::newRow("blank text runs") << QByteArray(" <a/>").repeated(kSize / 5) << kSize / 5;
}

void TestXmlParser::pathologicalInputFinishes() {
    QFETCH(QByteArray, input);
    QFETCH(int, maxParts);
    TXmlParser xml;
    xml.LoadFromBuffer(input);
    int parts = 0;
    while (xml.Scan() && parts <= maxParts)
        ++parts;
    QVERIFY(parts <= maxParts);
}

void TestXmlParser::randomGarbageFinishes() {
    // Random bytes biased towards markup characters; fixed seeds keep the
    // run reproducible.
    static const char kAlphabet[] = "<>/!?-[]=\"'& \n#x;abc\xD0\x96\xFF";
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator rng(seed);
        QByteArray input(64 * 1024, '\0');
        for (char& c : input)
            c = kAlphabet[rng.bounded(int(sizeof(kAlphabet) - 1))];
        TXmlParser xml;
        xml.LoadFromBuffer(input);
        qsizetype parts = 0;
        while (xml.Scan()) {
            ++parts;
            QVERIFY2(parts <= input.size(), "more parts than bytes: the scan does not advance");
        }
    }
}

QTEST_GUILESS_MAIN(TestXmlParser)
#include "tst_xmlparser.moc"
