#include "base/CodePage.h"

#include <QStringDecoder>
#include <QTest>

class TestCodePage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cyrillicRoundTrips();
    void everyByteRoundTrips();
    void tableAgreesWithQtCodec();
    void unmappableCharacterBecomesQuestionMark_data();
    void unmappableCharacterBecomesQuestionMark();
    void fitKeepsRepresentableText();
};

void TestCodePage::cyrillicRoundTrips() {
    const QString text = QString::fromUtf8("Ёлка ёжик АБВ абв яЯ №5 «тест» — €");
    const QByteArray bytes = ToCodePage(text);
    QCOMPARE(bytes.size(), text.size());
    QCOMPARE(bytes.at(0), char(0xA8)); // Ё
    QCOMPARE(bytes.at(5), char(0xB8)); // ё
    QCOMPARE(FromCodePage(bytes), text);
}

void TestCodePage::everyByteRoundTrips() {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    const QString text = FromCodePage(all);
    QCOMPARE(text.size(), 256);
    QCOMPARE(ToCodePage(text), all);
}

void TestCodePage::tableAgreesWithQtCodec() {
    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        QSKIP("Qt was built without the windows-1251 codec");
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        QCOMPARE(FromCodePage(one), decoder.decode(one));
    }
}

void TestCodePage::unmappableCharacterBecomesQuestionMark_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("CJK") << QString::fromUtf8("a中b") << QByteArray("a?b");
    QTest::newRow("Latin with accent") << QString::fromUtf8("café") << QByteArray("caf?");
    QTest::newRow("Greek") << QString::fromUtf8("αβ") << QByteArray("??");
    QTest::newRow("pair of surrogates is one character")
        << QString::fromUtf8("x😀y") << QByteArray("x?y");
    QTest::newRow("lone surrogate") << (QString("x") + QChar(0xD800) + "y") << QByteArray("x?y");
    QTest::newRow("replacement character") << QString(QChar(0xFFFD)) << QByteArray("?");
    QTest::newRow("SUB stays SUB") << QString(QChar(0x1A)) << QByteArray("\x1A");
}

void TestCodePage::unmappableCharacterBecomesQuestionMark() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ToCodePage(text), bytes);
    QCOMPARE(FitCodePage(text), QString::fromLatin1(bytes));
}

void TestCodePage::fitKeepsRepresentableText() {
    const QString text = QString::fromUtf8("Порт ttyUSB0 — 115200 бод");
    QCOMPARE(FitCodePage(text), text);
    QCOMPARE(FitCodePage(QString::fromUtf8("Ж中")), QString::fromUtf8("Ж?"));
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
