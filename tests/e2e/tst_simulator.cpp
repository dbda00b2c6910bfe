// The simulated tracker: every answer form and fault, seen from the wire.

#include "TrackerSim.h"
#include "link/ComPort.h"
#include "profile/DevCommands.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kWaitMs = 3000;
constexpr int kGapMs = 300; // a pause this long ends an answer

const char kProfile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<profile>
  <page id="p1" name="One">
    <command command="+SGDT" polldata="1" passwordmode="admin">
      <parameter type="string" maxlen="6" defaultvalue="VT"/>
      <parameter type="integer" minvalue="-5" maxvalue="50"/>
      <parameter type="option" defaultvalue="1">
        <option value="0" text="a"/><option value="1" text="b"/>
      </parameter>
    </command>
    <command command="+STZN" polldata="1" passwordmode="user">
      <parameter type="hex" maxlen="4" minvalue="$10" maxvalue="$FFF0"/>
      <parameter type="option">
        <option value="7" text="x"/><option value="8" text="y"/>
      </parameter>
    </command>
    <command command="+SGEO" polldata="1" maxindex="3">
      <parameter type="integer" defaultvalue="100"/>
      <parameter type="string" defaultvalue="a,b"/>
    </command>
    <command command="+TEXT" polldata="0" passwordmode="user"/>
    <command command="+SRBT" polldata="0">
      <parameter type="option" defaultvalue="1"><option value="1" text="r"/></parameter>
    </command>
    <command command="+SAVE" polldata="0"/>
  </page>
</profile>)";

const char kUser[] = "1111";
const char kMaster[] = "0000";

} // namespace

class TstSimulator : public QObject {
    Q_OBJECT

    TTrackerSim* FSim = nullptr;
    TComPort* FPort = nullptr;

    // Sends a line (CR appended) and collects everything that comes back
    // until the line falls quiet.
    QByteArray Exchange(const QByteArray& line, int gapMs = kGapMs) {
        FPort->ClearBuffers(true, true);
        FPort->WriteBytes(line + '\r');
        return Collect(gapMs);
    }
    QByteArray Collect(int gapMs = kGapMs) {
        FPort->SetTimeouts({quint32(gapMs), 0, kWaitMs, 0, kWaitMs});
        QByteArray all;
        for (;;) {
            const QByteArray part = FPort->ReadBytes(4096);
            all += part;
            if (part.size() < 4096)
                return all;
        }
    }
    void StartOwn() {
        QVERIFY2(FSim->StartWithProfileData(kProfile), qPrintable(FSim->ErrorText()));
        FPort->SetPort(FSim->SlavePath());
        FPort->Open();
    }

private Q_SLOTS:
    void init();
    void cleanup();

    void startsWithShippedProfileBesideProgram();
    void missingProfileFailsToStart();
    void programTableIsLeftAlone();
    void initialValuesFollowTheProfile();

    void entryIsAnsweredWithPrompt_data();
    void entryIsAnsweredWithPrompt();
    void entryInCommandModeIsEchoAlone();
    void outsideCommandModeOnlyEntryCounts();
    void readAnswersEveryRowAndParameter();
    void valueWithCommaIsQuoted();
    void writeChecksAndStores_data();
    void writeChecksAndStores();
    void writeAnswerRepeatsStoredValues();
    void unknownOrUnsupportedCommand();
    void exitCommandsLeaveCommandMode_data();
    void exitCommandsLeaveCommandMode();
    void saveCountsFlashStores();
    void streamStartsAndStops();
    void streamUsesReportSource();

    void noEchoSendsOnlyTheAnswer();
    void chunkedAnswerPausesBetweenPieces();
    void byteDelaySlowsEveryByte();
    void silentDeviceAnswersNothing();
    void garbageLines_data();
    void garbageLines();
    void paddedPayloadIsExact_data();
    void paddedPayloadIsExact();
    void longAnswersPassThreeHundredBytes();
    void vanishesAfterCommands();
    void reappearsOnNewPtyWithLink();
    void stopRemovesLink();
    void zeroBytesAreIgnored();
    void receivedLinesKeepPasswords();
};

void TstSimulator::init() {
    FSim = new TTrackerSim;
    FPort = new TComPort;
}

void TstSimulator::cleanup() {
    delete FPort;
    FPort = nullptr;
    delete FSim;
    FSim = nullptr;
}

void TstSimulator::startsWithShippedProfileBesideProgram() {
    QVERIFY2(FSim->Start(), qPrintable(FSim->ErrorText()));
    QVERIFY(FSim->Running());
    QVERIFY(QFileInfo(FSim->SlavePath()).exists());
    QVERIFY(FSim->CommandNames().contains(QStringLiteral("+TEXT")));
}

void TstSimulator::missingProfileFailsToStart() {
    QTemporaryDir dir;
    QVERIFY(!FSim->Start(dir.filePath(QStringLiteral("none.xml"))));
    QVERIFY(!FSim->Running());
    QVERIFY(FSim->ErrorText().contains(QLatin1String("none.xml")));
}

void TstSimulator::programTableIsLeftAlone() {
    DevCommands.clear();
    ClearCommandIndex();
    StartOwn();
    QVERIFY(DevCommands.isEmpty());
    QCOMPARE(FindCommand(QStringLiteral("+SGDT")).Page, -1);
    QCOMPARE(FSim->CommandNames(),
             (QStringList{"+SGDT", "+STZN", "+SGEO", "+TEXT", "+SRBT", "+SAVE"}));
}

void TstSimulator::initialValuesFollowTheProfile() {
    StartOwn();
    QCOMPARE(FSim->Values(QStringLiteral("+SGDT"), 0), (QStringList{"VT", "0", "1"}));
    // Hex without default: MaxLen zeros; option without default: first one.
    QCOMPARE(FSim->Values(QStringLiteral("+STZN"), 0), (QStringList{"0000", "7"}));
    QCOMPARE(FSim->Values(QStringLiteral("+sgeo"), 2), (QStringList{"100", "a,b"}));
    QVERIFY(FSim->Values(QStringLiteral("+SGEO"), 3).isEmpty());
    QVERIFY(FSim->SetValue(QStringLiteral("+SGDT"), 0, 1, QStringLiteral("42")));
    QCOMPARE(FSim->Value(QStringLiteral("+SGDT"), 0, 1), QStringLiteral("42"));
    QVERIFY(!FSim->SetValue(QStringLiteral("+NONE"), 0, 0, QStringLiteral("1")));
    QVERIFY(!FSim->SetValue(QStringLiteral("+SGDT"), 0, 3, QStringLiteral("1")));
}

void TstSimulator::entryIsAnsweredWithPrompt_data() {
    QTest::addColumn<bool>("lineFeed");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("CR LF prompt") << true << QByteArray("\r4817263\r\r\n>");
    QTest::newRow("CR prompt") << false << QByteArray("\r4817263\r\r>");
}

void TstSimulator::entryIsAnsweredWithPrompt() {
    QFETCH(bool, lineFeed);
    QFETCH(QByteArray, answer);
    StartOwn();
    FSim->SetEntryPromptLF(lineFeed);
    QVERIFY(!FSim->InCommandMode());
    FPort->WriteBytes("\r4817263\r");
    QCOMPARE(Collect(), answer);
    QVERIFY(FSim->InCommandMode());
}

void TstSimulator::entryInCommandModeIsEchoAlone() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FPort->WriteBytes("\r4817263\r");
    QCOMPARE(Collect(), QByteArray("\r4817263\r"));
    QVERIFY(FSim->InCommandMode());
}

void TstSimulator::outsideCommandModeOnlyEntryCounts() {
    StartOwn();
    QCOMPARE(Exchange("AT+SGDT=?"), QByteArray("AT+SGDT=?\r"));
    QCOMPARE(Exchange("AT+TEXT=1111,"), QByteArray("AT+TEXT=1111,\r"));
    QCOMPARE(Exchange("4817264"), QByteArray("4817264\r"));
    QVERIFY(!FSim->InCommandMode());
    QCOMPARE(FSim->ReceivedLines(), (QStringList{"AT+SGDT=?", "AT+TEXT=1111,", "4817264"}));
}

void TstSimulator::readAnswersEveryRowAndParameter() {
    StartOwn();
    FSim->SetInCommandMode(true);
    QCOMPARE(Exchange("AT+SGDT=?"), QByteArray("AT+SGDT=?\r\r\n+RESP:SGDT,VT,0,1\r\n\r\n>"));
    QCOMPARE(Exchange("AT+TEXT=?"), QByteArray("AT+TEXT=?\r\r\n+RESP:TEXT,OK\r\n\r\n>"));
}

void TstSimulator::valueWithCommaIsQuoted() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetValue(QStringLiteral("+SGEO"), 1, 1, QStringLiteral("plain"));
    QCOMPARE(Exchange("AT+SGEO=?"),
             QByteArray("AT+SGEO=?\r\r\n+RESP:SGEO,100,\"a,b\",100,plain,100,\"a,b\"\r\n\r\n>"));
}

void TstSimulator::writeChecksAndStores_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("response"); // the +RESP line of the answer
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("stored");

    QTest::newRow("master writes an admin command")
        << QByteArray("AT+SGDT=0000,Car,7,0,") << QByteArray("+RESP:SGDT,Car,7,0") << "+SGDT" << 0
        << QStringList{"Car", "7", "0"};
    QTest::newRow("user on an admin command")
        << QByteArray("AT+SGDT=1111,Car,7,0,") << QByteArray("+RESP:SGDT,ERROR,PERMISSION")
        << "+SGDT" << 0 << QStringList{"VT", "0", "1"};
    QTest::newRow("wrong password")
        << QByteArray("AT+STZN=1234,0010,8,") << QByteArray("+RESP:STZN,ERROR,PASSWORD") << "+STZN"
        << 0 << QStringList{"0000", "7"};
    QTest::newRow("empty password")
        << QByteArray("AT+STZN=,0010,8,") << QByteArray("+RESP:STZN,ERROR,PASSWORD") << "+STZN" << 0
        << QStringList{"0000", "7"};
    QTest::newRow("user on a user command")
        << QByteArray("AT+STZN=1111,00aF,8,") << QByteArray("+RESP:STZN,00aF,8") << "+STZN" << 0
        << QStringList{"00aF", "8"};
    QTest::newRow("empty field keeps its value")
        << QByteArray("AT+SGDT=0000,,-5,,") << QByteArray("+RESP:SGDT,VT,-5,1") << "+SGDT" << 0
        << QStringList{"VT", "-5", "1"};
    QTest::newRow("integer above its bound")
        << QByteArray("AT+SGDT=0000,,51,,") << QByteArray("+RESP:SGDT,ERROR,COMMAND") << "+SGDT"
        << 0 << QStringList{"VT", "0", "1"};
    QTest::newRow("integer not a number")
        << QByteArray("AT+SGDT=0000,,1x,,") << QByteArray("+RESP:SGDT,ERROR,COMMAND") << "+SGDT"
        << 0 << QStringList{"VT", "0", "1"};
    QTest::newRow("string too long, nothing stored")
        << QByteArray("AT+SGDT=0000,Long name,3,0,") << QByteArray("+RESP:SGDT,ERROR,COMMAND")
        << "+SGDT" << 0 << QStringList{"VT", "0", "1"};
    QTest::newRow("option not offered")
        << QByteArray("AT+SGDT=0000,,,2,") << QByteArray("+RESP:SGDT,ERROR,COMMAND") << "+SGDT" << 0
        << QStringList{"VT", "0", "1"};
    QTest::newRow("hex below its bound")
        << QByteArray("AT+STZN=1111,000F,,") << QByteArray("+RESP:STZN,ERROR,COMMAND") << "+STZN"
        << 0 << QStringList{"0000", "7"};
    QTest::newRow("hex too many digits")
        << QByteArray("AT+STZN=1111,00010,,") << QByteArray("+RESP:STZN,ERROR,COMMAND") << "+STZN"
        << 0 << QStringList{"0000", "7"};
    QTest::newRow("hex with a non-digit")
        << QByteArray("AT+STZN=1111,00G0,,") << QByteArray("+RESP:STZN,ERROR,COMMAND") << "+STZN"
        << 0 << QStringList{"0000", "7"};
    QTest::newRow("indexed row first")
        << QByteArray("AT+SGEO=1111,2,5,x,") << QByteArray("+RESP:SGEO,100,\"a,b\",5,x,100,\"a,b\"")
        << "+SGEO" << 1 << QStringList{"5", "x"};
    QTest::newRow("indexed row out of range")
        << QByteArray("AT+SGEO=1111,4,5,x,") << QByteArray("+RESP:SGEO,ERROR,COMMAND") << "+SGEO"
        << 1 << QStringList{"100", "a,b"};
    QTest::newRow("quoted value with a comma")
        << QByteArray("AT+SGEO=1111,3,7,\"c,d\",")
        << QByteArray("+RESP:SGEO,100,\"a,b\",100,\"a,b\",7,\"c,d\"") << "+SGEO" << 2
        << QStringList{"7", "c,d"};
}

void TstSimulator::writeChecksAndStores() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, response);
    QFETCH(QString, command);
    QFETCH(int, row);
    QFETCH(QStringList, stored);
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetPasswords(QLatin1String(kUser), QLatin1String(kMaster));
    QCOMPARE(Exchange(line), line + "\r\r\n" + response + "\r\n\r\n>");
    QCOMPARE(FSim->Values(command, row), stored);
}

void TstSimulator::writeAnswerRepeatsStoredValues() {
    StartOwn();
    FSim->SetInCommandMode(true);
    Exchange("AT+SGDT=0000,Bus,12,0,");
    QCOMPARE(Exchange("AT+SGDT=?"), QByteArray("AT+SGDT=?\r\r\n+RESP:SGDT,Bus,12,0\r\n\r\n>"));
    // New passwords take effect at once.
    FSim->SetPasswords(QStringLiteral("77"), QStringLiteral("88"));
    QCOMPARE(Exchange("AT+SGDT=0000,Bus,12,0,"),
             QByteArray("AT+SGDT=0000,Bus,12,0,\r\r\n+RESP:SGDT,ERROR,PASSWORD\r\n\r\n>"));
    QCOMPARE(Exchange("AT+SGDT=88,Van,,,"),
             QByteArray("AT+SGDT=88,Van,,,\r\r\n+RESP:SGDT,Van,12,0\r\n\r\n>"));
}

void TstSimulator::unknownOrUnsupportedCommand() {
    StartOwn();
    FSim->SetInCommandMode(true);
    QCOMPARE(Exchange("AT+QQQQ=?"), QByteArray("AT+QQQQ=?\r\r\nNOT SUPPORTED\r\n>"));
    QCOMPARE(Exchange("AT+QQQQ=0000,1,"), QByteArray("AT+QQQQ=0000,1,\r\r\nNOT SUPPORTED\r\n>"));
    FSim->SetUnsupported(QStringLiteral("+sgdt"), true);
    QCOMPARE(Exchange("AT+SGDT=?"), QByteArray("AT+SGDT=?\r\r\nNOT SUPPORTED\r\n>"));
    QCOMPARE(Exchange("AT+SGDT=0000,A,1,1,"),
             QByteArray("AT+SGDT=0000,A,1,1,\r\r\nNOT SUPPORTED\r\n>"));
    FSim->SetUnsupported(QStringLiteral("+SGDT"), false);
    QVERIFY(Exchange("AT+SGDT=?").contains("+RESP:SGDT,VT,0,1"));
}

void TstSimulator::exitCommandsLeaveCommandMode_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("response");
    QTest::newRow("+TEXT") << QByteArray("AT+TEXT=1111,") << QByteArray("+RESP:TEXT,OK");
    QTest::newRow("+SRBT") << QByteArray("AT+SRBT=0000,1,") << QByteArray("+RESP:SRBT,1");
}

void TstSimulator::exitCommandsLeaveCommandMode() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, response);
    StartOwn();
    FSim->SetInCommandMode(true);
    QCOMPARE(Exchange(line), line + "\r\r\n" + response + "\r\n\r\n>");
    QVERIFY(!FSim->InCommandMode());
    // A wrong password leaves it where it was.
    FSim->SetInCommandMode(true);
    QVERIFY(Exchange(line.replace("1111", "9").replace("0000", "9")).contains(",ERROR,PASSWORD"));
    QVERIFY(FSim->InCommandMode());
}

void TstSimulator::saveCountsFlashStores() {
    StartOwn();
    FSim->SetInCommandMode(true);
    QCOMPARE(FSim->FlashSaveCount(), 0);
    QCOMPARE(Exchange("AT+SAVE=0000,"), QByteArray("AT+SAVE=0000,\r\r\n+RESP:SAVE,OK\r\n\r\n>"));
    Exchange("AT+SAVE=1111,");
    Exchange("AT+SAVE=5,");
    QCOMPARE(FSim->FlashSaveCount(), 2);
}

void TstSimulator::streamStartsAndStops() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetStreamPeriod(100);
    FPort->WriteBytes("AT+SDAD=0000,,3,,,,,,,,,,,\r");
    QTRY_VERIFY_WITH_TIMEOUT(FSim->StreamReportsSent() >= 3, kWaitMs);
    QVERIFY(FSim->Streaming());
    const QByteArray streamed = Collect(50);
    QVERIFY(
        streamed.startsWith("AT+SDAD=0000,,3,,,,,,,,,,,\r\r\n+RESP:SDAD,OK\r\n>\r\n+RESP:DPRM,"));
    QVERIFY(streamed.count("\r\n+RESP:DPRM,") >= 3);

    const QByteArray stop = "AT+SDAD=0000,,0,,,,,,,,,,,";
    FPort->WriteBytes(stop + '\r');
    QTRY_VERIFY_WITH_TIMEOUT(!FSim->Streaming(), kWaitMs);
    const int sent = FSim->StreamReportsSent();
    QVERIFY(Collect().endsWith(stop + "\r\r\n+RESP:SDAD,OK\r\n>"));
    QTest::qWait(300);
    QCOMPARE(FSim->StreamReportsSent(), sent);
    QCOMPARE(FPort->InputCount(), 0);

    // The stream command wants a password too.
    QVERIFY(Exchange("AT+SDAD=1,,3,,,,,,,,,,,").contains("+RESP:SDAD,ERROR,PASSWORD"));
    QVERIFY(!FSim->Streaming());
}

void TstSimulator::streamUsesReportSource() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetStreamPeriod(50);
    FSim->SetStatusReportSource([](int tick) {
        return QStringList{QStringLiteral("+RESP:SGSM,1,%1").arg(tick),
                           QStringLiteral("+RESP:SNAV,x")};
    });
    FPort->WriteBytes("AT+SDAD=1111,,3,,,,,,,,,,,\r");
    QTRY_VERIFY_WITH_TIMEOUT(FSim->StreamReportsSent() >= 2, kWaitMs);
    const QByteArray got = Collect(30);
    QVERIFY(got.contains("\r\n+RESP:SGSM,1,0\r\n+RESP:SNAV,x\r\n+RESP:SGSM,1,1\r\n"));
    Exchange("AT+SDAD=1111,,0,,,,,,,,,,,");
}

void TstSimulator::noEchoSendsOnlyTheAnswer() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetEcho(false);
    QCOMPARE(Exchange("AT+SGDT=?"), QByteArray("\r\n+RESP:SGDT,VT,0,1\r\n\r\n>"));
    FPort->WriteBytes("\r4817263\r");
    QCOMPARE(Collect(), QByteArray());
}

void TstSimulator::chunkedAnswerPausesBetweenPieces() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetChunking(5, 600);
    FPort->WriteBytes("AT+SGDT=?\r");
    // A read that ends on a gap shorter than the pause sees one piece at a time.
    FPort->SetTimeouts({200, 0, kWaitMs, 0, kWaitMs});
    QCOMPARE(FPort->ReadBytes(100), QByteArray("AT+SGDT=?\r\r\n+RE"));
    QCOMPARE(FPort->ReadBytes(100), QByteArray("SP:SG"));
    FSim->SetChunking(0, 0);
    QCOMPARE(Collect(1000), QByteArray("DT,VT,0,1\r\n\r\n>"));
}

void TstSimulator::byteDelaySlowsEveryByte() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetByteDelay(30);
    FPort->WriteBytes("AT+SGDT=?\r");
    // Bytes 30 ms apart: a 10 ms gap limit ends every read after one byte.
    FPort->SetTimeouts({10, 0, kWaitMs, 0, kWaitMs});
    QCOMPARE(FPort->ReadBytes(100), QByteArray("A"));
    QCOMPARE(FPort->ReadBytes(100), QByteArray("T"));
    QCOMPARE(Collect(200), QByteArray("+SGDT=?\r\r\n+RESP:SGDT,VT,0,1\r\n\r\n>"));
}

void TstSimulator::silentDeviceAnswersNothing() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetSilent(true);
    QCOMPARE(Exchange("AT+SGDT=?"), QByteArray());
    QCOMPARE(FSim->ReceivedLines(), QStringList{QStringLiteral("AT+SGDT=?")});
    FSim->SetSilent(false);
    QVERIFY(Exchange("AT+SGDT=?").endsWith("\r\n>"));
}

void TstSimulator::garbageLines_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("realAnswer");
    QTest::newRow("before") << int(TTrackerSim::gmBefore) << true;
    QTest::newRow("instead") << int(TTrackerSim::gmInstead) << false;
}

void TstSimulator::garbageLines() {
    QFETCH(int, mode);
    QFETCH(bool, realAnswer);
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetGarbage(TTrackerSim::TGarbageMode(mode));
    const QByteArray got = Exchange("AT+SGDT=?");
    QVERIFY(got.startsWith("AT+SGDT=?\r\r\n#%&GARBAGE*("));
    QCOMPARE(got.contains("\r\n+RESP:SGDT,VT,0,1\r\n"), realAnswer);
    QVERIFY(got.endsWith("\r\n>"));
}

void TstSimulator::paddedPayloadIsExact_data() {
    QTest::addColumn<int>("size");
    QTest::addColumn<QByteArray>("command");
    QTest::newRow("read 100") << 100 << QByteArray("AT+SGDT=?");
    QTest::newRow("read 200") << 200 << QByteArray("AT+SGEO=?");
    QTest::newRow("write 100") << 100 << QByteArray("AT+SGDT=0000,A,1,0,");
    QTest::newRow("not supported 100") << 100 << QByteArray("AT+ABCD=?");
    QTest::newRow("response 1 short of 100") << 100 << QByteArray("AT+SGEO=?");
}

void TstSimulator::paddedPayloadIsExact() {
    QFETCH(int, size);
    QFETCH(QByteArray, command);
    StartOwn();
    FSim->SetInCommandMode(true);
    if (QByteArray(QTest::currentDataTag()).startsWith("response 1 short")) {
        // Make the unpadded answer 99 bytes long: the filler is one byte.
        FSim->SetValue(QStringLiteral("+SGEO"), 0, 1, QString());
        const int bare = Exchange(command).size() - command.size() - 1;
        FSim->SetValue(QStringLiteral("+SGEO"), 0, 1, QString(99 - bare, QLatin1Char('z')));
        QCOMPARE(Exchange(command).size() - command.size() - 1, 99);
    }
    FSim->SetAnswerPayloadSize(size);
    const QByteArray got = Exchange(command);
    QVERIFY(got.startsWith(command + '\r'));
    QCOMPARE(got.size() - command.size() - 1, size);
    QVERIFY(got.endsWith("\r\n>"));
    QVERIFY(got.contains("\r\n+RESP:") || got.contains("\r\nNOT SUPPORTED\r\n"));
}

void TstSimulator::longAnswersPassThreeHundredBytes() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->SetLongAnswers(true);
    const QByteArray got = Exchange("AT+SGDT=?");
    QCOMPARE(got.size() - 10, TTrackerSim::kLongAnswerPaddedBytes);
    QVERIFY(got.size() - 10 > TTrackerSim::kLongAnswerBytes);
    QVERIFY(got.endsWith("\r\n+RESP:SGDT,VT,0,1\r\n\r\n>"));
}

void TstSimulator::vanishesAfterCommands() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FSim->VanishAfter(2);
    QVERIFY(Exchange("AT+SGDT=?").endsWith(">"));
    QVERIFY(Exchange("AT+STZN=?").endsWith(">"));
    QVERIFY(!FSim->Vanished());
    FPort->WriteBytes("AT+SGEO=?\r");
    QVERIFY(FSim->WaitForLines(3, kWaitMs));
    QTRY_VERIFY_WITH_TIMEOUT(FSim->Vanished(), kWaitMs);
    QVERIFY(FSim->SlavePath().isEmpty());
    QVERIFY_THROWS_EXCEPTION(EComPort, FPort->ReadBytes(100));
}

void TstSimulator::reappearsOnNewPtyWithLink() {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("tracker"));
    StartOwn();
    QVERIFY(FSim->PublishLink(link));
    QCOMPARE(FSim->LinkPath(), link);
    QCOMPARE(QFileInfo(link).symLinkTarget(), FSim->SlavePath());
    FSim->SetInCommandMode(true);
    FSim->Vanish();
    QVERIFY(!QFileInfo::exists(link));
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(FSim->Reappear());
    QVERIFY(!FSim->Vanished());
    QVERIFY(!FSim->InCommandMode()); // a fresh device
    QCOMPARE(QFileInfo(link).symLinkTarget(), FSim->SlavePath());
    FPort->Close();
    FPort->SetPort(link);
    FPort->Open();
    FPort->WriteBytes("\r4817263\r");
    QCOMPARE(Collect(), QByteArray("\r4817263\r\r\n>"));
}

void TstSimulator::stopRemovesLink() {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("tracker"));
    // A plain file of that name is never replaced.
    QFile plain(link);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    StartOwn();
    QVERIFY(!FSim->PublishLink(link));
    QVERIFY(QFile::remove(link));
    QVERIFY(FSim->PublishLink(link));
    QVERIFY(QFileInfo(link).isSymLink());
    FPort->Close();
    FSim->Stop();
    QVERIFY(!FSim->Running());
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TstSimulator::zeroBytesAreIgnored() {
    StartOwn();
    FSim->SetInCommandMode(true);
    FPort->WriteBytes(QByteArray("AT+SG\0DT=?\0\r", 12));
    QCOMPARE(Collect(), QByteArray("AT+SGDT=?\r\r\n+RESP:SGDT,VT,0,1\r\n\r\n>"));
    QCOMPARE(FSim->ZeroBytesReceived(), 2);
    QCOMPARE(FSim->ReceivedBytes(), QByteArray("AT+SGDT=?\r"));
}

void TstSimulator::receivedLinesKeepPasswords() {
    StartOwn();
    FSim->SetInCommandMode(true);
    Exchange("AT+SGDT=0000,Name,1,1,");
    FPort->WriteBytes("AT+STZN=1111,0010,7,\r\nAT+TEXT=1111,\n");
    QVERIFY(FSim->WaitForLines(3, kWaitMs));
    QCOMPARE(FSim->ReceivedLines(),
             (QStringList{"AT+SGDT=0000,Name,1,1,", "AT+STZN=1111,0010,7,", "AT+TEXT=1111,"}));
    FSim->ClearReceived();
    QVERIFY(FSim->ReceivedLines().isEmpty());
    QVERIFY(!FSim->WaitForLines(1, 100));
}

QTEST_GUILESS_MAIN(TstSimulator)
#include "tst_simulator.moc"
