// The serial port against the simulated tracker over a real pseudo-terminal.

#include "TrackerSim.h"
#include "link/ComDataPacket.h"
#include "link/ComPort.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Generous bounds: the rule is checked, not the machine's speed.
constexpr int kSlackMs = 1500;
constexpr int kWaitMs = 3000;
// Prompt reads: bytes this late come well after any grace at 115200 and
// well inside the gap the time-outs allow.
constexpr int kLateMs = 700;
constexpr quint32 kPromptInterval = 1500;
constexpr quint32 kPromptTotal = 3000;

} // namespace

class TstComPort : public QObject {
    Q_OBJECT

    TTrackerSim* FSim = nullptr;
    TComPort* FPort = nullptr;

    void OpenOnSim() {
        FPort->SetPort(FSim->SlavePath());
        FPort->Open();
    }
    // Reads with the given limits, returns the bytes and the time taken.
    QByteArray TimedRead(int count, quint32 interval, quint32 total, qint64* ms) {
        TComTimeouts t;
        t.ReadInterval = interval;
        t.ReadTotalConstant = total;
        FPort->SetTimeouts(t);
        QElapsedTimer timer;
        timer.start();
        const QByteArray data = FPort->ReadBytes(count);
        *ms = timer.elapsed();
        return data;
    }

private Q_SLOTS:
    void init();
    void cleanup();

    void settingTextsSelectExactNames_data();
    void settingTextsSelectExactNames();
    void oddQueueSizesAreLoweredByOne();
    void portNamesMapToDevices_data();
    void portNamesMapToDevices();
    void portNamesSortWithoutCase();
    void failuresCarryFixedTextsAndSystemError();

    void closedPortRaisesPortNotOpen();
    void missingDeviceRaisesUnableToOpen();
    void openWriteReadRoundTrip();
    void lineSettingsApplyOnPtyAndWhileOpen();
    void textIsWindows1251OnTheLine();
    void readEndsOnItsCount();
    void readEndsOnIntervalGap();
    void readEndsOnTotal();
    void zeroIntervalWaitsForTotal();
    void bothLimitsZeroAreBounded();
    void silentDeviceReadReturnsEmptyAfterTotal();
    void clearBuffersDropsWaitingBytes();
    void withoutDataLinkBytesWaitForRead();
    void withDataLinkEveryLinkGetsTheChunk();
    void closeInsideHandlerIsSafe();
    void framerOnPortDeliversLines();
    void vanishedPortFailsNextWrite();
    void vanishedPortFailsRead();
    void hangUpErrorStormIsStopped();
    void reopensAfterDeviceComesBack();
    void zeroByteWriteReachesDeviceUnseen();
    void writeCutByTotalReportsShortCount();
    void promptGraceFollowsLineSpeed_data();
    void promptGraceFollowsLineSpeed();
    void readEndsOnPromptOnlyWhenNothingFollows_data();
    void readEndsOnPromptOnlyWhenNothingFollows();
};

void TstComPort::init() {
    FSim = new TTrackerSim;
    QVERIFY2(FSim->Start(), qPrintable(FSim->ErrorText()));
    FPort = new TComPort;
}

void TstComPort::cleanup() {
    delete FPort;
    FPort = nullptr;
    delete FSim;
    FSim = nullptr;
}

void TstComPort::settingTextsSelectExactNames_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("parity lower case") << "parity"
                                       << "even" << int(prEven);
    QTest::newRow("parity upper case") << "parity"
                                       << "MARK" << int(prMark);
    QTest::newRow("parity with a word") << "parity"
                                        << "Even parity" << int(prNone);
    QTest::newRow("parity space") << "parity"
                                  << "Space" << int(prSpace);
    QTest::newRow("parity odd") << "parity"
                                << "odd" << int(prOdd);
    QTest::newRow("parity empty") << "parity"
                                  << "" << int(prNone);
    QTest::newRow("data bits 7") << "data"
                                 << "7" << int(dbSeven);
    QTest::newRow("data bits 5") << "data"
                                 << "5" << int(dbFive);
    QTest::newRow("data bits 9") << "data"
                                 << "9" << int(dbEight);
    QTest::newRow("data bits blank") << "data"
                                     << " 7" << int(dbEight);
    QTest::newRow("stop bits 1.5") << "stop"
                                   << "1.5" << int(sbOne5StopBits);
    QTest::newRow("stop bits 2") << "stop"
                                 << "2" << int(sbTwoStopBits);
    QTest::newRow("stop bits 1,5") << "stop"
                                   << "1,5" << int(sbOneStopBit);
}

void TstComPort::settingTextsSelectExactNames() {
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(int, expected);
    TComPort port;
    // Start away from the default, so that the fallback shows.
    port.SetParity(prOdd);
    port.SetDataBits(dbSix);
    port.SetStopBits(sbTwoStopBits);
    if (kind == QLatin1String("parity")) {
        port.SetParityText(text);
        QCOMPARE(int(port.Parity()), expected);
    } else if (kind == QLatin1String("data")) {
        port.SetDataBitsText(text);
        QCOMPARE(int(port.DataBits()), expected);
    } else {
        port.SetStopBitsText(text);
        QCOMPARE(int(port.StopBits()), expected);
    }
}

void TstComPort::oddQueueSizesAreLoweredByOne() {
    TComPort port;
    QCOMPARE(port.InputSize(), 1024);
    QCOMPARE(port.OutputSize(), 1024);
    port.SetBufferSizes(1025, 513);
    QCOMPARE(port.InputSize(), 1024);
    QCOMPARE(port.OutputSize(), 512);
    QCOMPARE(port.Port(), QStringLiteral("COM1"));
    QCOMPARE(port.CustomBaudRate(), 9600u);
}

void TstComPort::portNamesMapToDevices_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::newRow("COM1") << "COM1"
                          << "/dev/ttyS0";
    QTest::newRow("com12") << "com12"
                           << "/dev/ttyS11";
    QTest::newRow("COM0 as typed") << "COM0"
                                   << "/dev/COM0";
    QTest::newRow("COMX as typed") << "COMX"
                                   << "/dev/COMX";
    QTest::newRow("short name") << "ttyUSB0"
                                << "/dev/ttyUSB0";
    QTest::newRow("full path") << "/dev/ttyUSB0"
                               << "/dev/ttyUSB0";
    QTest::newRow("pty path") << "/dev/pts/7"
                              << "/dev/pts/7";
    QTest::newRow("relative") << "./tracker"
                              << "./tracker";
}

void TstComPort::portNamesMapToDevices() {
    QFETCH(QString, name);
    QFETCH(QString, path);
    QCOMPARE(TComPort::DevicePath(name), path);
}

void TstComPort::portNamesSortWithoutCase() {
    QStringList names{"ttyUSB1", "ttyACM0", "TTYS2", "ttyS10", "ttys1"};
    TComPort::SortPortNames(names);
    QCOMPARE(names, (QStringList{"ttyACM0", "ttys1", "ttyS10", "TTYS2", "ttyUSB1"}));
}

void TstComPort::failuresCarryFixedTextsAndSystemError() {
    QCOMPARE(EComPort(24).Message(), QStringLiteral("Port Not Open"));
    QCOMPARE(EComPort(1, 2).Message(), QStringLiteral("Unable to open com port (Error: 2)"));
    QCOMPARE(EComPort(2, 5).Message(), QStringLiteral("WriteFile function failed (Error: 5)"));
    QCOMPARE(EComPort(3).Message(), QStringLiteral("ReadFile function failed"));
    QCOMPARE(EComPort(5).Message(), QStringLiteral("PurgeComm function failed"));
    QCOMPARE(EComPort(7).Message(), QStringLiteral("SetCommState function failed"));
    QCOMPARE(EComPort(8).Message(), QStringLiteral("SetCommTimeouts failed"));
    QCOMPARE(EComPort(9).Message(), QStringLiteral("SetupComm function failed"));
    QCOMPARE(EComPort(22).Message(), QStringLiteral("A component is linked to OnRxBuf event"));
    QCOMPARE(QString::fromUtf8(EComPort(3, 5).what()),
             QStringLiteral("ReadFile function failed (Error: 5)"));
}

void TstComPort::closedPortRaisesPortNotOpen() {
    QVERIFY(!FPort->Connected());
    for (int op = 0; op < 3; ++op) {
        try {
            if (op == 0)
                FPort->WriteText(QStringLiteral("x"));
            else if (op == 1)
                FPort->ReadText(1);
            else
                FPort->WriteBytes(QByteArray(1, '\0'));
            QFAIL("I/O on a closed port did not raise");
        } catch (const EComPort& e) {
            QCOMPARE(e.Code(), 24);
            QCOMPARE(e.Message(), QStringLiteral("Port Not Open"));
        }
    }
    QCOMPARE(FPort->InputCount(), 0);
    FPort->Close(); // closed: no effect
    FPort->ClearBuffers(true, true);
}

void TstComPort::missingDeviceRaisesUnableToOpen() {
    QTemporaryDir dir;
    FPort->SetPort(dir.filePath(QStringLiteral("no-such-tty")));
    try {
        FPort->Open();
        QFAIL("opened a missing device");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), 1);
        QCOMPARE(e.Message(), QStringLiteral("Unable to open com port (Error: %1)").arg(ENOENT));
    }
    QVERIFY(!FPort->Connected());
}

void TstComPort::openWriteReadRoundTrip() {
    FSim->SetInCommandMode(true);
    OpenOnSim();
    QVERIFY(FPort->Connected());
    FPort->Open(); // open: no effect
    TComTimeouts t;
    t.ReadInterval = 200;
    t.ReadTotalConstant = kWaitMs;
    t.WriteTotalConstant = kWaitMs;
    FPort->SetTimeouts(t);
    QCOMPARE(FPort->Timeouts().ReadInterval, 200u);
    const QString line = QStringLiteral("AT+XYZW=?\r");
    QCOMPARE(FPort->WriteText(line), line.size());
    QCOMPARE(FPort->ReadText(line.size()), line); // the echo
    QCOMPARE(FPort->ReadText(100), QStringLiteral("\r\nNOT SUPPORTED\r\n>"));
    QVERIFY(FSim->WaitForLines(1, kWaitMs));
    QCOMPARE(FSim->ReceivedLines(), QStringList{QStringLiteral("AT+XYZW=?")});
    FPort->Close();
    QVERIFY(!FPort->Connected());
}

void TstComPort::lineSettingsApplyOnPtyAndWhileOpen() {
    // A pty refuses some of these (parity, modem lines): it opens anyway.
    FPort->SetCustomBaudRate(250000);
    FPort->SetParityText(QStringLiteral("even"));
    FPort->SetStopBitsText(QStringLiteral("1.5"));
    FPort->SetDataBitsText(QStringLiteral("7"));
    OpenOnSim();
    QVERIFY(FPort->Connected());
    FPort->SetCustomBaudRate(115200);
    FPort->SetCustomBaudRate(10473); // not a standard rate
    FPort->SetParity(prNone);
    FPort->SetDataBits(dbEight);
    FPort->SetStopBits(sbOneStopBit);
    QCOMPARE(FPort->CustomBaudRate(), 10473u);
    TComTimeouts t;
    t.ReadInterval = 200;
    t.ReadTotalConstant = kWaitMs;
    FPort->SetTimeouts(t);
    FPort->WriteText(QStringLiteral("ok"));
    QCOMPARE(FPort->ReadText(2), QStringLiteral("ok"));

    // Changing the port while open reopens on the new name.
    QVERIFY_THROWS_EXCEPTION(EComPort, FPort->SetPort(FSim->SlavePath() + QStringLiteral("-gone")));
    QVERIFY(!FPort->Connected());
}

void TstComPort::textIsWindows1251OnTheLine() {
    OpenOnSim();
    FSim->SetEcho(false);
    FPort->SetTimeouts({200, 0, kWaitMs, 0, kWaitMs});
    const QString text = QStringLiteral("Тест ёЁ №1\r");
    QCOMPARE(FPort->WriteText(text), text.size());
    QVERIFY(FSim->WaitForLines(1, kWaitMs));
    QCOMPARE(FSim->ReceivedBytes(), QByteArray("\xd2\xe5\xf1\xf2 \xb8\xa8 \xb9"
                                               "1\r"));
    QCOMPARE(FSim->ReceivedLines(), QStringList{QStringLiteral("Тест ёЁ №1")});

    FSim->SendRaw(QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2"));
    QCOMPARE(FPort->ReadText(6), QStringLiteral("Привет"));
}

void TstComPort::readEndsOnItsCount() {
    OpenOnSim();
    FSim->SendRaw("0123456789");
    QVERIFY(FSim->WaitForIdle(kWaitMs));
    qint64 ms = 0;
    QCOMPARE(TimedRead(4, 0, 10000, &ms), QByteArray("0123"));
    QVERIFY2(ms < kSlackMs, qPrintable(QString::number(ms)));
    QCOMPARE(FPort->InputCount(), 6);
    QCOMPARE(TimedRead(6, 0, 10000, &ms), QByteArray("456789"));
}

void TstComPort::readEndsOnIntervalGap() {
    OpenOnSim();
    FSim->SetChunking(3, 1200); // "abc", a long pause, "def"
    FSim->SendRaw("abcdef");
    qint64 ms = 0;
    const QByteArray first = TimedRead(100, 300, 10000, &ms);
    QCOMPARE(first, QByteArray("abc"));
    QVERIFY2(ms >= 300 && ms < 1200 + kSlackMs, qPrintable(QString::number(ms)));
    QCOMPARE(TimedRead(100, 300, 10000, &ms), QByteArray("def"));
}

void TstComPort::readEndsOnTotal() {
    OpenOnSim();
    // A byte every 100 ms never leaves an interval gap of 400 ms.
    FSim->SetByteDelay(100);
    FSim->SendRaw(QByteArray(40, 'x'));
    qint64 ms = 0;
    const QByteArray data = TimedRead(100, 400, 700, &ms);
    QVERIFY2(ms >= 700 && ms < 700 + kSlackMs, qPrintable(QString::number(ms)));
    QVERIFY2(data.size() >= 2 && data.size() < 40, qPrintable(QString::number(data.size())));
}

void TstComPort::zeroIntervalWaitsForTotal() {
    OpenOnSim();
    FSim->SetChunking(2, 500);
    FSim->SendRaw("abcd");
    qint64 ms = 0;
    // No interval limit: the 500 ms pause does not end the read.
    QCOMPARE(TimedRead(100, 0, 1500, &ms), QByteArray("abcd"));
    QVERIFY2(ms >= 1500 && ms < 1500 + kSlackMs, qPrintable(QString::number(ms)));
}

void TstComPort::bothLimitsZeroAreBounded() {
    OpenOnSim();
    FSim->SendRaw("ab");
    QVERIFY(FSim->WaitForIdle(kWaitMs));
    qint64 ms = 0;
    const QByteArray data = TimedRead(100, 0, 0, &ms);
    QCOMPARE(data, QByteArray("ab"));
    QVERIFY2(ms >= kReadUnboundedLimitMs && ms < kReadUnboundedLimitMs + kSlackMs,
             qPrintable(QString::number(ms)));
}

void TstComPort::silentDeviceReadReturnsEmptyAfterTotal() {
    OpenOnSim();
    FSim->SetSilent(true);
    FPort->WriteText(QStringLiteral("AT+SGDT=?\r"));
    qint64 ms = 0;
    QCOMPARE(TimedRead(10, 100, 300, &ms), QByteArray());
    QVERIFY2(ms >= 300 && ms < 300 + kSlackMs, qPrintable(QString::number(ms)));
    QVERIFY(FSim->WaitForLines(1, kWaitMs));
}

void TstComPort::clearBuffersDropsWaitingBytes() {
    OpenOnSim();
    FSim->SendRaw("stale bytes");
    QVERIFY(FSim->WaitForIdle(kWaitMs));
    QTRY_COMPARE_WITH_TIMEOUT(FPort->InputCount(), 11, kWaitMs);
    FPort->ClearBuffers(true, true);
    QCOMPARE(FPort->InputCount(), 0);
    qint64 ms = 0;
    QCOMPARE(TimedRead(10, 50, 200, &ms), QByteArray());
    FSim->SendRaw("fresh");
    QCOMPARE(TimedRead(5, 0, kWaitMs, &ms), QByteArray("fresh"));
}

void TstComPort::withoutDataLinkBytesWaitForRead() {
    OpenOnSim();
    TComLink plain; // registered, but without a handler
    FPort->RegisterLink(&plain);
    FSim->SendRaw("waiting");
    QVERIFY(FSim->WaitForIdle(kWaitMs));
    // Let the port's notifications run: nothing may be consumed.
    QTest::qWait(300);
    QCOMPARE(FPort->InputCount(), 7);
    qint64 ms = 0;
    QCOMPARE(TimedRead(100, 50, kWaitMs, &ms), QByteArray("waiting"));
    FPort->UnRegisterLink(&plain);
}

void TstComPort::withDataLinkEveryLinkGetsTheChunk() {
    OpenOnSim();
    QByteArray first;
    QByteArray second;
    TComLink a;
    TComLink quiet;
    TComLink b;
    a.OnRxBuf = [&](const QByteArray& c) { first += c; };
    b.OnRxBuf = [&](const QByteArray& c) {
        QVERIFY2(first.endsWith(c), "links served out of order");
        second += c;
    };
    FPort->RegisterLink(&a);
    FPort->RegisterLink(&quiet);
    FPort->RegisterLink(&b);
    QVERIFY(FPort->HasDataLink());
    FSim->SendRaw("+RESP:DPRM,a,b,c,d\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(second, QByteArray("+RESP:DPRM,a,b,c,d\r\n"), kWaitMs);
    QCOMPARE(first, second);
    QCOMPARE(FPort->InputCount(), 0);
    FPort->UnRegisterLink(&a);
    FPort->UnRegisterLink(&b);
    QVERIFY(!FPort->HasDataLink());
    FPort->UnRegisterLink(&quiet);
}

void TstComPort::closeInsideHandlerIsSafe() {
    OpenOnSim();
    int calls = 0;
    TComLink link;
    link.OnRxBuf = [&](const QByteArray&) {
        ++calls;
        FPort->Close();
    };
    FPort->RegisterLink(&link);
    FSim->SendRaw("x");
    QTRY_VERIFY_WITH_TIMEOUT(!FPort->Connected(), kWaitMs);
    QCOMPARE(calls, 1);
    // And it opens again.
    OpenOnSim();
    FSim->SendRaw("y");
    QTRY_COMPARE_WITH_TIMEOUT(calls, 2, kWaitMs);
    FPort->UnRegisterLink(&link);
}

void TstComPort::framerOnPortDeliversLines() {
    OpenOnSim();
    TComDataPacket framer;
    framer.SetStopString(QStringLiteral("\r"));
    QStringList lines;
    framer.OnPacket = [&](const QString& p) { lines << p; };
    framer.SetComPort(FPort);
    FSim->SetStreamPeriod(100);
    FSim->SetInCommandMode(true);
    FPort->WriteText(QStringLiteral("AT+SDAD=0000,,3,,,,,,,,,,,\r"));
    QTRY_VERIFY_WITH_TIMEOUT(lines.filter(QStringLiteral("+RESP:DPRM")).size() >= 2, kWaitMs);
    framer.SetComPort(nullptr);
    QVERIFY(!FPort->HasDataLink());
    // The echo, the acknowledgement and the prompt, then reports on lines of
    // their own (each after the line feed of the one before).
    QCOMPARE(lines.value(0), QStringLiteral("AT+SDAD=0000,,3,,,,,,,,,,,"));
    QCOMPARE(lines.value(2), QStringLiteral("\n+RESP:SDAD,OK"));
    QVERIFY(lines.value(4).startsWith(QLatin1String("\n+RESP:DPRM,")));
}

void TstComPort::vanishedPortFailsNextWrite() {
    OpenOnSim();
    FSim->Vanish();
    QVERIFY(FSim->Vanished());
    QVERIFY(FPort->Connected());
    try {
        FPort->WriteBytes(QByteArray(1, '\0'));
        QFAIL("write to a vanished port did not raise");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), 2);
        QCOMPARE(e.Message(), QStringLiteral("WriteFile function failed (Error: %1)").arg(EIO));
    }
    QVERIFY(FPort->Connected()); // until the program closes it
    QVERIFY_THROWS_EXCEPTION(EComPort, FPort->WriteText(QStringLiteral("again")));
    FPort->Close();
    QVERIFY(!FPort->Connected());
}

void TstComPort::vanishedPortFailsRead() {
    OpenOnSim();
    FPort->SetTimeouts({100, 0, 2000, 0, 2000});
    FSim->Vanish();
    try {
        FPort->ReadBytes(10);
        QFAIL("read on a vanished port did not raise");
    } catch (const EComPort& e) {
        QCOMPARE(e.Code(), 3);
        QVERIFY2(e.Message().startsWith(QLatin1String("ReadFile function failed (Error: ")),
                 qPrintable(e.Message()));
    }
}

void TstComPort::hangUpErrorStormIsStopped() {
    OpenOnSim();
    const int before = FPort->ErrorNotificationCount();
    FSim->Vanish();
    // Idle with the event loop running, as the program does between clicks.
    QTest::qWait(500);
    const int after = FPort->ErrorNotificationCount();
    QVERIFY2(after - before < 50, qPrintable(QString::number(after - before)));
    QVERIFY(FPort->HungUp());
    QTest::qWait(300);
    QCOMPARE(FPort->ErrorNotificationCount(), after);
    QVERIFY(FPort->Connected());
    QVERIFY_THROWS_EXCEPTION(EComPort, FPort->WriteBytes(QByteArray(1, '\0')));
}

void TstComPort::reopensAfterDeviceComesBack() {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("tracker"));
    QVERIFY(FSim->PublishLink(link));
    FPort->SetPort(link);
    FPort->Open();
    FSim->Vanish();
    QVERIFY(!QFileInfo::exists(link));
    QVERIFY_THROWS_EXCEPTION(EComPort, FPort->WriteText(QStringLiteral("x")));
    FPort->Close();
    QVERIFY_THROWS_EXCEPTION(EComPort, FPort->Open());
    QVERIFY(FSim->Reappear());
    FPort->Open();
    FPort->SetTimeouts({200, 0, kWaitMs, 0, kWaitMs});
    FPort->WriteText(QStringLiteral("back"));
    QCOMPARE(FPort->ReadText(4), QStringLiteral("back"));
}

void TstComPort::zeroByteWriteReachesDeviceUnseen() {
    OpenOnSim();
    FPort->SetTimeouts({50, 0, 300, 0, 300});
    QCOMPARE(FPort->WriteBytes(QByteArray(1, '\0')), 1);
    QTRY_COMPARE_WITH_TIMEOUT(FSim->ZeroBytesReceived(), 1, kWaitMs);
    QCOMPARE(FPort->ReadBytes(1), QByteArray()); // not echoed
    QVERIFY(FSim->ReceivedLines().isEmpty());
}

void TstComPort::writeCutByTotalReportsShortCount() {
    OpenOnSim();
    FSim->SetEcho(false);
    FSim->SetInputStalled(true);
    FPort->SetTimeouts({0, 0, 100, 0, 300});
    const QByteArray big(4 * 1024 * 1024, 'w');
    QElapsedTimer timer;
    timer.start();
    const int written = FPort->WriteBytes(big);
    const qint64 ms = timer.elapsed();
    QVERIFY2(written > 0 && written < big.size(), qPrintable(QString::number(written)));
    QVERIFY2(ms >= 300 && ms < 300 + kSlackMs, qPrintable(QString::number(ms)));
    // The port still works once the device reads again.
    FSim->SetInputStalled(false);
    FPort->ClearBuffers(true, true);
    QCOMPARE(FPort->WriteText(QStringLiteral("ok\r")), 3);
    QTRY_VERIFY_WITH_TIMEOUT(FSim->ReceivedBytes().endsWith("ok\r"), kWaitMs);
}

void TstComPort::promptGraceFollowsLineSpeed_data() {
    QTest::addColumn<int>("baud");
    QTest::addColumn<int>("data");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stop");
    QTest::addColumn<qint64>("us");
    QTest::newRow("115200 8N1: the floor")
        << 115200 << int(dbEight) << int(prNone) << int(sbOneStopBit) << qint64(2000);
    QTest::newRow("9600 8N1") << 9600 << int(dbEight) << int(prNone) << int(sbOneStopBit)
                              << qint64(3125);
    QTest::newRow("1200 7E2") << 1200 << int(dbSeven) << int(prEven) << int(sbTwoStopBits)
                              << qint64(27500);
    QTest::newRow("300 8N1.5") << 300 << int(dbEight) << int(prNone) << int(sbOne5StopBits)
                               << qint64(105000);
    QTest::newRow("no speed") << 0 << int(dbEight) << int(prNone) << int(sbOneStopBit)
                              << qint64(2000);
}

void TstComPort::promptGraceFollowsLineSpeed() {
    QFETCH(int, baud);
    QFETCH(int, data);
    QFETCH(int, parity);
    QFETCH(int, stop);
    QFETCH(qint64, us);
    QCOMPARE(TComPort::PromptGraceUs(quint32(baud), TDataBits(data), TParityBits(parity),
                                     TStopBits(stop)),
             us);
}

void TstComPort::readEndsOnPromptOnlyWhenNothingFollows_data() {
    QTest::addColumn<int>("baud");
    QTest::addColumn<bool>("prompt"); // the port's prompt mode
    QTest::addColumn<QByteArrayList>("parts");
    QTest::addColumn<QList<int>>("pauses"); // before each part
    QTest::addColumn<int>("firstCount");    // a read of this many bytes first
    QTest::addColumn<bool>("purge");        // input purged after that read
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<bool>("ended");
    const QList<int> late{0, kLateMs};
    QTest::newRow("LF prompt ends the read") << 115200 << true << QByteArrayList{"OK\r\n>", "LATE"}
                                             << late << 0 << false << QByteArray("OK\r\n>") << true;
    QTest::newRow("CR prompt ends the read") << 115200 << true << QByteArrayList{"OK\r>", "LATE"}
                                             << late << 0 << false << QByteArray("OK\r>") << true;
    QTest::newRow("off: the gap is read on as before")
        << 115200 << false << QByteArrayList{"OK\r\n>", "LATE"} << late << 0 << false
        << QByteArray("OK\r\n>LATE") << false;
    QTest::newRow("a blank after the prompt reads on")
        << 115200 << true << QByteArrayList{"OK\r\n> ", "LATE"} << late << 0 << false
        << QByteArray("OK\r\n> LATE") << false;
    QTest::newRow("prompt split over two reads")
        << 115200 << true << QByteArrayList{"OK\r>", "LATE"} << late << 3 << false
        << QByteArray(">") << true;
    QTest::newRow("a purge starts a new answer") << 115200 << true << QByteArrayList{"OK\r", ">"}
                                                 << late << 3 << true << QByteArray(">") << false;
    // 50 baud: three characters take 600 ms, so the blank counts.
    QTest::newRow("a slow line's grace takes a late blank")
        << 50 << true << QByteArrayList{"OK\r\n>", " "} << QList<int>{0, 100} << 0 << false
        << QByteArray("OK\r\n> ") << false;
}

void TstComPort::readEndsOnPromptOnlyWhenNothingFollows() {
    QFETCH(int, baud);
    QFETCH(bool, prompt);
    QFETCH(QByteArrayList, parts);
    QFETCH(QList<int>, pauses);
    QFETCH(int, firstCount);
    QFETCH(bool, purge);
    QFETCH(QByteArray, expected);
    QFETCH(bool, ended);
    FPort->SetCustomBaudRate(quint32(baud));
    OpenOnSim();
    FPort->SetEndOnPrompt(prompt);
    FPort->SetTimeouts({kPromptInterval, 0, kPromptTotal, 0, kPromptTotal});
    for (int i = 0; i < parts.size(); ++i)
        FSim->SendRaw(parts[i], pauses[i]);
    if (firstCount > 0) {
        QCOMPARE(FPort->ReadBytes(firstCount), parts.first().left(firstCount));
        QVERIFY(!FPort->EndedOnPrompt());
    }
    if (purge)
        FPort->ClearBuffers(true, false);
    QCOMPARE(FPort->ReadBytes(100), expected);
    QCOMPARE(FPort->EndedOnPrompt(), ended);
}

QTEST_GUILESS_MAIN(TstComPort)
#include "tst_comport.moc"
