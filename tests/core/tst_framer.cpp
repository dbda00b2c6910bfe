// The line framer: packets cut from the received byte stream.

#include "link/ComDataPacket.h"
#include "link/ComPort.h"

#include <QtTest>

class TstFramer : public QObject {
    Q_OBJECT

    QStringList FPackets;
    QStringList FDiscarded;

    void Hook(TComDataPacket& f) {
        FPackets.clear();
        FDiscarded.clear();
        f.OnPacket = [this](const QString& p) { FPackets << p; };
        f.OnDiscard = [this](const QString& p) { FDiscarded << p; };
    }

private Q_SLOTS:
    void crLfLinesKeepTheLineFeedInFront();
    void carriageReturnAfterAnotherIsAnEmptyPacket();
    void fullBufferWithoutStopIsThrownAway();
    void packetsAcrossChunksAreGlued();
    void noStopConditionDeliversChunkAsIs();
    void startAndStopVariants_data();
    void startAndStopVariants();
    void settingFramingPropertiesResetsBuffer();
    void detachKeepsHalfLineForTheNextAttach();
    void attachRegistersOneDataLink();
    void eightBitTextSurvives();
};

void TstFramer::crLfLinesKeepTheLineFeedInFront() {
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.HandleChunk("first\r\nsecond\r\nthi");
    QCOMPARE(FPackets, (QStringList{QStringLiteral("first"), QStringLiteral("\nsecond")}));
    QCOMPARE(f.Buffer(), QStringLiteral("\nthi"));
    QVERIFY(FDiscarded.isEmpty());
}

void TstFramer::carriageReturnAfterAnotherIsAnEmptyPacket() {
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.HandleChunk("line\r\r");
    QCOMPARE(FPackets, (QStringList{QStringLiteral("line"), QString()}));
    QVERIFY(f.Buffer().isEmpty());
}

void TstFramer::fullBufferWithoutStopIsThrownAway() {
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.HandleChunk(QByteArray(1000, 'a'));
    QVERIFY(FDiscarded.isEmpty());
    f.HandleChunk(QByteArray(24, 'b')); // 1024 now: all of it goes
    QCOMPARE(FDiscarded.size(), 1);
    QCOMPARE(FDiscarded.first().size(), kPacketMaxBufferSize);
    QVERIFY(f.Buffer().isEmpty());
    f.HandleChunk("tail\r");
    QCOMPARE(FPackets, QStringList{QStringLiteral("tail")});

    // 1023 bytes stay; the line goes on.
    Hook(f);
    f.HandleChunk(QByteArray(1023, 'c'));
    QVERIFY(FDiscarded.isEmpty());
    f.HandleChunk("\r");
    QCOMPARE(FPackets, QStringList{QString(1023, QLatin1Char('c'))});
}

void TstFramer::packetsAcrossChunksAreGlued() {
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.HandleChunk("+RESP:DP");
    f.HandleChunk("RM,a,b");
    QVERIFY(FPackets.isEmpty());
    f.HandleChunk(",c\rx\ry");
    QCOMPARE(FPackets, (QStringList{QStringLiteral("+RESP:DPRM,a,b,c"), QStringLiteral("x")}));
    QCOMPARE(f.Buffer(), QStringLiteral("y"));
}

void TstFramer::noStopConditionDeliversChunkAsIs() {
    TComDataPacket f;
    Hook(f);
    f.HandleChunk("ab\rcd");
    QCOMPARE(FPackets, QStringList{QStringLiteral("ab\rcd")});
    QVERIFY(f.Buffer().isEmpty());
}

void TstFramer::startAndStopVariants_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("stop");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("include");
    QTest::addColumn<bool>("caseless");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("packets");
    QTest::addColumn<QStringList>("discarded");
    QTest::addColumn<QString>("rest");

    QTest::newRow("start discards what precedes it")
        << "$"
        << "\r" << 0 << false << false << QByteArray("junk$abc\rzz$d") << QStringList{"abc"}
        << QStringList{"junk", "zz"} << "$d";
    QTest::newRow("start and stop kept when included")
        << "$"
        << "\r" << 0 << true << false << QByteArray("$abc\r") << QStringList{"$abc\r"}
        << QStringList{} << "";
    QTest::newRow("stop searched after the start text")
        << "$"
        << "$" << 0 << false << false << QByteArray("$abc$") << QStringList{"abc"} << QStringList{}
        << "";
    QTest::newRow("start compared without case")
        << "<go>"
        << ">" << 0 << false << true << QByteArray("xx<GO>data>") << QStringList{"data"}
        << QStringList{"xx"} << "";
    QTest::newRow("start compared with case")
        << "<go>"
        << ">" << 0 << false << false << QByteArray("<GO>data>") << QStringList{} << QStringList{}
        << "<GO>data>";
    QTest::newRow("fixed size") << ""
                                << "" << 3 << false << false << QByteArray("abcdefg")
                                << QStringList{"abc", "def"} << QStringList{} << "g";
    QTest::newRow("size before stop") << ""
                                      << "\r" << 4 << false << false << QByteArray("ab\rcdefgh")
                                      << QStringList{"ab\rc", "defg"} << QStringList{} << "h";
    QTest::newRow("stop before size when short")
        << ""
        << "\r" << 10 << false << false << QByteArray("ab\rc") << QStringList{"ab"} << QStringList{}
        << "c";
    QTest::newRow("stop only removed at the very end")
        << ""
        << "\r\n"
        << 0 << false << false << QByteArray("a\r\n") << QStringList{"a"} << QStringList{} << "";
}

void TstFramer::startAndStopVariants() {
    QFETCH(QString, start);
    QFETCH(QString, stop);
    QFETCH(int, size);
    QFETCH(bool, include);
    QFETCH(bool, caseless);
    QFETCH(QByteArray, input);
    QFETCH(QStringList, packets);
    QFETCH(QStringList, discarded);
    QFETCH(QString, rest);

    TComDataPacket f;
    f.SetStartString(start);
    f.SetStopString(stop);
    f.SetSize(size);
    f.SetIncludeStrings(include);
    f.SetCaseInsensitive(caseless);
    Hook(f);
    f.HandleChunk(input);
    QCOMPARE(FPackets, packets);
    QCOMPARE(FDiscarded, discarded);
    QCOMPARE(f.Buffer(), rest);

    // Byte by byte gives the same packets (a fixed size competes with the
    // stop text, so there the cut depends on the chunks).
    if (size > 0)
        return;
    TComDataPacket g;
    g.SetStartString(start);
    g.SetStopString(stop);
    g.SetSize(size);
    g.SetIncludeStrings(include);
    g.SetCaseInsensitive(caseless);
    Hook(g);
    for (char c : input)
        g.HandleChunk(QByteArray(1, c));
    QCOMPARE(FPackets, packets);
    QCOMPARE(g.Buffer(), rest);
}

void TstFramer::settingFramingPropertiesResetsBuffer() {
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.HandleChunk("half");
    f.SetIncludeStrings(true); // not a framing change
    QCOMPARE(f.Buffer(), QStringLiteral("half"));
    f.SetStopString(QStringLiteral("\n"));
    QCOMPARE(FDiscarded, QStringList{QStringLiteral("half")});
    QVERIFY(f.Buffer().isEmpty());

    f.HandleChunk("again");
    f.SetCaseInsensitive(true);
    f.HandleChunk("more");
    f.SetSize(2);
    f.HandleChunk("x");
    f.SetStartString(QStringLiteral("$"));
    QCOMPARE(FDiscarded, (QStringList{"half", "again", "more", "x"}));
    f.ResetBuffer(); // empty: nothing to report
    QCOMPARE(FDiscarded.size(), 4);
}

void TstFramer::detachKeepsHalfLineForTheNextAttach() {
    TComPort port;
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.SetComPort(&port);
    f.HandleChunk("+RESP:SNAV,12");
    f.SetComPort(nullptr);
    QVERIFY(!port.HasDataLink());
    QCOMPARE(f.Buffer(), QStringLiteral("+RESP:SNAV,12"));
    f.SetComPort(&port);
    f.HandleChunk("34\rnext");
    QCOMPARE(FPackets, QStringList{QStringLiteral("+RESP:SNAV,1234")});
    QCOMPARE(f.Buffer(), QStringLiteral("next"));
}

void TstFramer::attachRegistersOneDataLink() {
    TComPort port;
    QVERIFY(!port.HasDataLink());
    {
        TComDataPacket f;
        f.SetComPort(&port);
        QVERIFY(port.HasDataLink());
        QCOMPARE(f.ComPort(), &port);
        f.SetComPort(&port); // same port again: no second registration
        QVERIFY(port.HasDataLink());
    }
    // Destroying an attached framer detaches it.
    QVERIFY(!port.HasDataLink());

    TComLink plain; // a link without handler is no data link
    port.RegisterLink(&plain);
    QVERIFY(!port.HasDataLink());
    try {
        port.RegisterLink(&plain);
        QFAIL("second registration accepted");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), 18);
        QCOMPARE(e.Message(), QStringLiteral("Link (un)registration failed"));
    }
    port.UnRegisterLink(&plain);
    QVERIFY_THROWS_EXCEPTION(EComPort, port.UnRegisterLink(&plain));
}

void TstFramer::eightBitTextSurvives() {
    TComDataPacket f;
    f.SetStopString(QStringLiteral("\r"));
    Hook(f);
    f.HandleChunk(QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2\r")); // "Привет" in Windows-1251
    QCOMPARE(FPackets, QStringList{QStringLiteral("Привет")});
}

QTEST_GUILESS_MAIN(TstFramer)
#include "tst_framer.moc"
