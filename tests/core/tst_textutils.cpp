#include "base/TextUtils.h"

#include <QTest>

class TestTextUtils : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void extractLineCutsAtEarliestTerminator_data();
    void extractLineCutsAtEarliestTerminator();
    void extractLineWithoutTerminatorLeavesBufferAlone();
    void extractLineCutsEveryLineInTurn();
    void extractLineHandlesLongBuffers();
    void extractLineFromPositionAgreesWithCutting_data();
    void extractLineFromPositionAgreesWithCutting();
    void splitListItems_data();
    void splitListItems();
    void splitListReplacesPreviousContent();
    void splitListHandlesLongLists();
};

void TestTextUtils::extractLineCutsAtEarliestTerminator_data() {
    QTest::addColumn<QString>("buffer");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("rest");

    const QChar nul(0);
    QTest::newRow("CR LF counts as one") << "AB\r\nCD"
                                         << "AB"
                                         << "CD";
    QTest::newRow("LF before a later CR") << "AB\nCD\r"
                                          << "AB"
                                          << "CD\r";
    QTest::newRow("lone CR") << "AB\rCD"
                             << "AB"
                             << "CD";
    QTest::newRow("lone LF") << "AB\nCD"
                             << "AB"
                             << "CD";
    QTest::newRow("NUL") << (QString("AB") + nul + "CD") << "AB"
                         << "CD";
    QTest::newRow("NUL before CR LF") << (QString("A") + nul + "B\r\nC") << "A"
                                      << "B\r\nC";
    QTest::newRow("LF CR is two terminators") << "AB\n\rCD"
                                              << "AB"
                                              << "\rCD";
    QTest::newRow("CR CR LF") << "AB\r\r\nCD"
                              << "AB"
                              << "\r\nCD";
    QTest::newRow("empty first line") << "\r\nAB"
                                      << ""
                                      << "AB";
    QTest::newRow("CR at the very end") << "AB\r"
                                        << "AB"
                                        << "";
    QTest::newRow("Cyrillic text") << QString::fromUtf8("Привет\r\nмир")
                                   << QString::fromUtf8("Привет") << QString::fromUtf8("мир");
}

void TestTextUtils::extractLineCutsAtEarliestTerminator() {
    QFETCH(QString, buffer);
    QFETCH(QString, line);
    QFETCH(QString, rest);
    QString got = QStringLiteral("stale");
    QVERIFY(ExtractLine(buffer, got));
    QCOMPARE(got, line);
    QCOMPARE(buffer, rest);
}

void TestTextUtils::extractLineWithoutTerminatorLeavesBufferAlone() {
    QString buffer = QStringLiteral("ABC");
    QString line = QStringLiteral("stale");
    QVERIFY(!ExtractLine(buffer, line));
    QCOMPARE(buffer, QStringLiteral("ABC"));
    QVERIFY(line.isEmpty());

    QString empty;
    QVERIFY(!ExtractLine(empty, line));
    QVERIFY(empty.isEmpty());
}

void TestTextUtils::extractLineCutsEveryLineInTurn() {
    QString buffer = QStringLiteral("+RESP:SGDT,1\r\n\r\n>\rtail");
    QStringList lines;
    QString line;
    while (ExtractLine(buffer, line))
        lines << line;
    QCOMPARE(lines, QStringList({"+RESP:SGDT,1", "", ">"}));
    QCOMPARE(buffer, QStringLiteral("tail"));
}

void TestTextUtils::extractLineHandlesLongBuffers() {
    // 20000 lines: a rescan of the whole buffer per terminator and line would
    // take billions of steps; this must simply finish.
    constexpr int kLines = 20000;
    QString buffer;
    for (int i = 0; i < kLines; ++i)
        buffer += QStringLiteral("line %1\r\n").arg(i);
    QString line;
    int count = 0;
    while (ExtractLine(buffer, line)) {
        if (count == kLines - 1)
            QCOMPARE(line, QStringLiteral("line %1").arg(kLines - 1));
        ++count;
    }
    QCOMPARE(count, kLines);
}

void TestTextUtils::extractLineFromPositionAgreesWithCutting_data() {
    QTest::addColumn<QString>("text");
    const QChar nul(0);
    QTest::newRow("answer with echo") << "AT+SGDT=?\r\r\n+RESP:SGDT,1\r\n\r\n>";
    QTest::newRow("LF CR and NUL") << (QString("a\n\rb") + nul + "c\r\n");
    QTest::newRow("no terminator") << "abc";
    QTest::newRow("terminators only") << "\r\n\r\n\n";
    QTest::newRow("CR at the very end") << "x\r";
    QTest::newRow("empty") << "";
}

// The positional form must cut exactly the lines the cutting form cuts and
// leave the same rest behind.
void TestTextUtils::extractLineFromPositionAgreesWithCutting() {
    QFETCH(QString, text);
    QString buffer = text;
    QStringList cut;
    QString line;
    while (ExtractLine(buffer, line))
        cut << line;
    qsizetype pos = 0;
    QStringList walked;
    while (ExtractLine(text, pos, line))
        walked << line;
    QVERIFY(line.isEmpty());
    QCOMPARE(walked, cut);
    QCOMPARE(text.mid(pos), buffer);
}

void TestTextUtils::splitListItems_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("blanks around items") << "  a , b ,c  " << QStringList({"a", "b", "c"});
    QTest::newRow("empty middle item") << "a,,b" << QStringList({"a", "", "b"});
    QTest::newRow("leading comma") << ",a" << QStringList({"", "a"});
    QTest::newRow("trailing comma adds nothing") << "a,b," << QStringList({"a", "b"});
    QTest::newRow("two trailing commas") << "a,," << QStringList({"a", ""});
    QTest::newRow("quotes protect commas") << "\"x,y\",z" << QStringList({"x,y", "z"});
    QTest::newRow("quoted item in the middle") << "a, \"b,c\" ,d" << QStringList({"a", "b,c", "d"});
    QTest::newRow("quoted last item keeps inner blanks")
        << "a,\" b \"" << QStringList({"a", " b "});
    QTest::newRow("text after the closing quote") << "\"a,b\"c,d" << QStringList({"a,bc", "d"});
    QTest::newRow("unclosed quote is the rest") << "a,\"b,c" << QStringList({"a", "\"b,c"});
    QTest::newRow("two double quotes give one empty item") << "\"\"" << QStringList({""});
    QTest::newRow("quote inside an item is kept") << "a\"b,c" << QStringList({"a\"b", "c"});
    QTest::newRow("control characters trimmed") << "\t\r\na\x01,b\r\n" << QStringList({"a", "b"});
    QTest::newRow("empty text") << "" << QStringList();
    QTest::newRow("blanks only") << "   " << QStringList();
    QTest::newRow("single comma") << "," << QStringList({""});
    QTest::newRow("status report")
        << "+RESP:SGDT,VT-210,1001,1" << QStringList({"+RESP:SGDT", "VT-210", "1001", "1"});
    QTest::newRow("Cyrillic items")
        << QString::fromUtf8("Тревога , Проверка")
        << QStringList({QString::fromUtf8("Тревога"), QString::fromUtf8("Проверка")});
}

void TestTextUtils::splitListItems() {
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(SplitList(text), items);
}

void TestTextUtils::splitListReplacesPreviousContent() {
    QStringList list({"old", "items"});
    SplitList(QStringLiteral("x"), list);
    QCOMPARE(list, QStringList({"x"}));
    SplitList(QString(), list);
    QVERIFY(list.isEmpty());
}

void TestTextUtils::splitListHandlesLongLists() {
    constexpr int kItems = 100000;
    QString text;
    for (int i = 0; i < kItems; ++i)
        text += QStringLiteral("%1,").arg(i);
    const QStringList items = SplitList(text);
    QCOMPARE(items.size(), kItems);
    QCOMPARE(items.last(), QString::number(kItems - 1));
}

QTEST_GUILESS_MAIN(TestTextUtils)
#include "tst_textutils.moc"
