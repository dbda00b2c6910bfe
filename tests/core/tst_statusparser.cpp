#include "status/StatusParser.h"

#include <QLocale>
#include <QtTest>

namespace {

struct TParsed {
    TStatusChange Change;
    TStatusFields Fields;
};

TParsed Parse(const QString& line) {
    TParsed p;
    p.Change = ParseStatusReport(line, LoadStatusTexts(), p.Fields);
    return p;
}

QString Srep(const QString& bits, const QString& uptime = QStringLiteral("0"),
             const QString& flags = QStringLiteral("0,0,0,0,0")) {
    return QStringLiteral("+RESP:SREP,10,11,12,13,14,%1,2047,12.6,4.1,25,-3,4,1020,%2,7,%3")
        .arg(bits, uptime, flags);
}

QString Sgsm(const QString& reg, const QString& state) {
    return QStringLiteral("+RESP:SGSM,%1,1,%2,0,MTS,20,srv.example.net,20100,internet,mts,pw")
        .arg(reg, state);
}

} // namespace

class TestStatusParser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reportsThatDoNotQualifyChangeNothing_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("dprm with three fields") << "+RESP:DPRM,VT-300,1234,356000000000001";
        QTest::newRow("unknown report") << "+RESP:XXXX,1,2,3,4,5,6,7,8,9,10,11,12,13";
        QTest::newRow("no header") << "RESP:DPRM,VT-300,1234,356000000000001,1.0";
        QTest::newRow("header in lower case") << "+resp:DPRM,VT-300,1234,356000000000001,1.0";
        QTest::newRow("leading line feed") << "\n+RESP:DPRM,VT-300,1234,356000000000001,1.0";
        QTest::newRow("srep one short")
            << "+RESP:SREP,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19";
        QTest::newRow("sgsm one short") << "+RESP:SGSM,1,1,8,0,MTS,20,host,21,apn,user";
        QTest::newRow("echo of a command") << "AT+SDAD=*,,3,,,,,,,,,,,";
        QTest::newRow("empty") << "";
    }
    void reportsThatDoNotQualifyChangeNothing() {
        QFETCH(QString, line);
        const TParsed p = Parse(line);
        QVERIFY(p.Change.Report.isEmpty());
        QVERIFY(p.Fields.Texts.isEmpty());
        QVERIFY(!p.Change.States && !p.Change.Overflow && !p.Change.Signal);
    }

    void dprmFillsIdentityFields() {
        const TParsed p = Parse("+RESP:DPRM,VT-300,1234,356000000000001,2.17b");
        QCOMPARE(p.Change.Report, QString("DPRM"));
        QCOMPARE(p.Change.Controls, QStringList({"eDevName", "eTrackerID", "eIMEI", "eFW_Ver"}));
        QCOMPARE(p.Fields.Text("eDevName"), QString("VT-300"));
        QCOMPARE(p.Fields.Text("eTrackerID"), QString("1234"));
        QCOMPARE(p.Fields.Text("eIMEI"), QString("356000000000001"));
        QCOMPARE(p.Fields.Text("eFW_Ver"), QString("2.17b"));
    }

    void nameFollowedByMoreLettersCountsAsTheFourLetterName() {
        const TParsed p = Parse("+RESP:SNAVX,123456,5545.1234N,03737.1234E,0,0,010124,3,7,1,2");
        QCOMPARE(p.Change.Report, QString("SNAV"));
        QCOMPARE(p.Fields.Text("eGPSTime"), QString("12:34:56"));
    }

    void quotedCommaStaysInOneItem() {
        const TParsed p = Parse("+RESP:DPRM,\"VT-300, rev B\",1234,356000000000001,2.17");
        QCOMPARE(p.Fields.Text("eDevName"), QString("VT-300, rev B"));
        QCOMPARE(p.Fields.Text("eFW_Ver"), QString("2.17"));
    }

    void trailingEmptyFieldStillCounts() {
        // An APN without a password ends the line with a comma.
        const TParsed p = Parse("+RESP:SGSM,1,1,8,0,MTS,20,host,21,internet,,");
        QCOMPARE(p.Change.Report, QString("SGSM"));
        QCOMPARE(p.Fields.Text("eAPN"), QString("internet(,)"));
    }

    void laterReportKeepsOtherFields() {
        TStatusFields fields;
        const TStatusTexts texts = LoadStatusTexts();
        ParseStatusReport("+RESP:DPRM,VT-300,1234,356000000000001,2.17", texts, fields);
        ParseStatusReport("+RESP:DPRM,VT-300,1234", texts, fields);
        ParseStatusReport("+RESP:TREP,EF4016,0,0,0,0,1", texts, fields);
        QCOMPARE(fields.Text("eIMEI"), QString("356000000000001"));
        QCOMPARE(fields.Text("eFlashID"), QString("EF4016"));
    }

    void trepResultAndSimTexts_data() {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("sim");
        QTest::addColumn<QString>("resultText");
        QTest::addColumn<QString>("simText");
        QTest::newRow("ok") << "0"
                            << "1"
                            << "OK (0)"
                            << "OK";
        QTest::newRow("error 3") << "3"
                                 << "0"
                                 << "Ошибка (3)"
                                 << "SIM не готова";
        QTest::newRow("empty result") << ""
                                      << "2"
                                      << "Ошибка ()"
                                      << "Требуется PIN";
        QTest::newRow("puk") << "00"
                             << "3"
                             << "Ошибка (00)"
                             << "Требуется PUK";
        QTest::newRow("sim error") << "1"
                                   << "4"
                                   << "Ошибка (1)"
                                   << "Ошибка SIM";
        QTest::newRow("unknown sim state") << "0"
                                           << "7"
                                           << "OK (0)"
                                           << "7";
    }
    void trepResultAndSimTexts() {
        QFETCH(QString, resultText);
        QFETCH(QString, simText);
        QFETCH(QString, result);
        QFETCH(QString, sim);
        const TParsed p = Parse(QStringLiteral("+RESP:TREP,EF4016,%1,0,%1,0,%2").arg(result, sim));
        QCOMPARE(p.Fields.Text("eFlashID"), QString("EF4016"));
        QCOMPARE(p.Fields.Text("eFlashStatus"), resultText);
        QCOMPARE(p.Fields.Text("eAccStatus"), resultText);
        QCOMPARE(p.Fields.Text("eModemStatus"), QString("OK (0)"));
        QCOMPARE(p.Fields.Text("eSimStatus"), simText);
    }

    void srepStateBits_data() {
        QTest::addColumn<QString>("bits");
        QTest::addColumn<QString>("relay");
        QTest::addColumn<bool>("d1");
        QTest::addColumn<bool>("d2");
        QTest::addColumn<bool>("d3");
        QTest::newRow("128 + 8") << "136"
                                 << "Разомкнуто" << true << false << false;
        QTest::newRow("inputs 2 and 3") << "6"
                                        << "Замкнуто" << false << true << true;
        QTest::newRow("unshown bits only") << "113"
                                           << "Замкнуто" << false << false << false;
        QTest::newRow("all") << "255"
                             << "Разомкнуто" << true << true << true;
        QTest::newRow("invalid counts as 0") << "0x88"
                                             << "Замкнуто" << false << false << false;
        QTest::newRow("empty counts as 0") << ""
                                           << "Замкнуто" << false << false << false;
    }
    void srepStateBits() {
        QFETCH(QString, relay);
        QFETCH(bool, d1);
        QFETCH(bool, d2);
        QFETCH(bool, d3);
        QFETCH(QString, bits);
        const TParsed p = Parse(Srep(bits));
        QCOMPARE(p.Change.Report, QString("SREP"));
        QVERIFY(p.Change.States);
        QCOMPARE(p.Fields.Text("eDRelay1"), relay);
        QCOMPARE(p.Fields.DState[0], d1);
        QCOMPARE(p.Fields.DState[1], d2);
        QCOMPARE(p.Fields.DState[2], d3);
    }

    void srepItemsLandInTheirFields() {
        const TParsed p = Parse(Srep("0", "90061", "1,1,0,1,1"));
        QCOMPARE(p.Fields.Text("eDFreq1"), QString("10"));
        QCOMPARE(p.Fields.Text("eDCount3"), QString("14"));
        QCOMPARE(p.Fields.Text("eADC1"), QString("2047"));
        QCOMPARE(p.Fields.Text("eVIN"), QString("12.6"));
        QCOMPARE(p.Fields.Text("eTEMP"), QString("25"));
        QCOMPARE(p.Fields.Text("eACC_X"), QString("-3"));
        QCOMPARE(p.Fields.Text("eACC_Z"), QString("1020"));
        QCOMPARE(p.Fields.Text("eUptime"), QString("1d 1h 1m 1s"));
        QCOMPARE(p.Fields.Text("eACC_SLEEP_TIMER"), QString("7"));
        QCOMPARE(p.Fields.Text("eMODE_ACC_STOP"), QString("Зафиксирована"));
        QCOMPARE(p.Fields.Text("eIgnition"), QString("Включено"));
        QCOMPARE(p.Fields.Text("eFreezeCoordByAcc"), QString("Неактивна"));
        QCOMPARE(p.Fields.Text("eFreezeCoordByIgn"), QString("Активна"));
        QCOMPARE(p.Fields.Text("eCoordFrozen"), QString("Заморожены"));
        const TParsed q = Parse(Srep("0", "0", "0,true,,2,01"));
        QCOMPARE(q.Fields.Text("eMODE_ACC_STOP"), QString("В движении"));
        QCOMPARE(q.Fields.Text("eIgnition"), QString("Выключено"));
        QCOMPARE(q.Fields.Text("eFreezeCoordByAcc"), QString("Неактивна"));
        QCOMPARE(q.Fields.Text("eCoordFrozen"), QString("Не заморожены"));
    }

    void uptimeText_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("text");
        QTest::newRow("1d 1h 1m 1s") << "90061"
                                     << "1d 1h 1m 1s";
        QTest::newRow("one hour") << "3600"
                                  << "1h 0m 0s";
        QTest::newRow("59 seconds") << "59"
                                    << "59s";
        QTest::newRow("one minute") << "60"
                                    << "1m 0s";
        QTest::newRow("one day exactly") << "86400"
                                         << "1d 0h 0m 0s";
        QTest::newRow("many days") << "8640000"
                                   << "100d 0h 0m 0s";
        QTest::newRow("invalid") << "12a"
                                 << "0s";
        QTest::newRow("empty") << ""
                               << "0s";
        QTest::newRow("negative truncates toward zero") << "-61"
                                                        << "-1s";
    }
    void uptimeText() {
        QFETCH(QString, text);
        QFETCH(QString, item);
        QCOMPARE(Parse(Srep("0", item)).Fields.Text("eUptime"), text);
    }

    void memoryPointers_data() {
        QTest::addColumn<QString>("readPtr");
        QTest::addColumn<QString>("writePtr");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("sizeText");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<bool>("overflow");
        QTest::newRow("size 0") << "100"
                                << "180"
                                << "0"
                                << "0"
                                << "128"
                                << "N/A" << true;
        QTest::newRow("size 512") << "100"
                                  << "180"
                                  << "200"
                                  << "512"
                                  << "128"
                                  << "25%" << false;
        QTest::newRow("write above size") << "100"
                                          << "300"
                                          << "200"
                                          << "512"
                                          << "512"
                                          << "100%" << true;
        QTest::newRow("write equal to size") << "0"
                                             << "200"
                                             << "200"
                                             << "512"
                                             << "512"
                                             << "100%" << false;
        QTest::newRow("write below read") << "180"
                                          << "100"
                                          << "200"
                                          << "512"
                                          << "-128"
                                          << "-25%" << false;
        QTest::newRow("all ones is -1") << "FFFFFFFF"
                                        << "0"
                                        << "1"
                                        << "1"
                                        << "1"
                                        << "100%" << false;
        QTest::newRow("negative size") << "0"
                                       << "0"
                                       << "FFFFFFFF"
                                       << "-1"
                                       << "0"
                                       << "0%" << true;
        QTest::newRow("half rounds down to even") << "0"
                                                  << "1"
                                                  << "8"
                                                  << "8"
                                                  << "1"
                                                  << "12%" << false;
        QTest::newRow("half rounds up to even") << "0"
                                                << "3"
                                                << "8"
                                                << "8"
                                                << "3"
                                                << "38%" << false;
        QTest::newRow("negative half to even") << "1"
                                               << "0"
                                               << "8"
                                               << "8"
                                               << "-1"
                                               << "-12%" << false;
        QTest::newRow("above half rounds up") << "0"
                                              << "5"
                                              << "7"
                                              << "7"
                                              << "5"
                                              << "71%" << false;
        QTest::newRow("no 32-bit overflow") << "80000000"
                                            << "7FFFFFFF"
                                            << "7FFFFFFF"
                                            << "2147483647"
                                            << "4294967295"
                                            << "200%" << false;
        QTest::newRow("large product") << "0"
                                       << "7FFFFFFF"
                                       << "40000000"
                                       << "1073741824"
                                       << "2147483647"
                                       << "200%" << true;
        QTest::newRow("invalid counts as 0") << "zz"
                                             << ""
                                             << "200"
                                             << "512"
                                             << "0"
                                             << "0%" << false;
        QTest::newRow("lower case hex") << "0"
                                        << "ff"
                                        << "3fc"
                                        << "1020"
                                        << "255"
                                        << "25%" << false;
    }
    void memoryPointers() {
        QFETCH(QString, sizeText);
        QFETCH(QString, used);
        QFETCH(QString, percent);
        QFETCH(bool, overflow);
        QFETCH(QString, readPtr);
        QFETCH(QString, writePtr);
        QFETCH(QString, size);
        const TParsed p =
            Parse(QStringLiteral("+RESP:SFPT,%1,%2,%3,17,40").arg(readPtr, writePtr, size));
        QCOMPARE(p.Change.Report, QString("SFPT"));
        QCOMPARE(p.Fields.Text("ePtrRead"), readPtr);
        QCOMPARE(p.Fields.Text("ePtrWrite"), writePtr);
        QCOMPARE(p.Fields.Text("eFlashSize"), sizeText);
        QCOMPARE(p.Fields.Text("eMemoryFree"), used);
        QCOMPARE(p.Fields.Text("eMemoryFreePercent"), percent);
        QCOMPARE(p.Fields.Text("eSlotsFree"), QString("17"));
        QCOMPARE(p.Fields.Text("eSlotsTotal"), QString("40"));
        QVERIFY(p.Change.Overflow);
        QCOMPARE(p.Fields.MemoryOverflow, overflow);
    }

    void percentRoundingHandlesExtremes() {
        QCOMPARE(RoundedPercent(qint64(0xFFFFFFFF), 1), qint64(429496729500));
        QCOMPARE(RoundedPercent(-qint64(0xFFFFFFFF), -1), qint64(429496729500));
        QCOMPARE(RoundedPercent(1, std::numeric_limits<qint32>::min()), qint64(0));
        QCOMPARE(RoundedPercent(3, 200), qint64(2)); // 1.5 -> 2
        QCOMPARE(RoundedPercent(5, 200), qint64(2)); // 2.5 -> 2
    }

    void navigationInserts_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("timeText");
        QTest::addColumn<QString>("latText");
        QTest::addColumn<QString>("lonText");
        QTest::addColumn<QString>("dateText");
        QTest::newRow("full") << "093015"
                              << "5545.1234N"
                              << "03737.1234E"
                              << "311224"
                              << "09:30:15"
                              << "55°45.1234'N"
                              << "037°37.1234'E"
                              << "31.12.2024";
        QTest::newRow("empty") << ""
                               << ""
                               << ""
                               << ""
                               << "::"
                               << "'°"
                               << "'°"
                               << ".2.0";
        QTest::newRow("short") << "12"
                               << "5N"
                               << "1E"
                               << "0101"
                               << "12::"
                               << "5N'°"
                               << "1'E°"
                               << "01.01.20";
        QTest::newRow("one character") << "1"
                                       << "N"
                                       << "E"
                                       << "3"
                                       << "1::"
                                       << "N'°"
                                       << "'E°"
                                       << "3..20";
    }
    void navigationInserts() {
        QFETCH(QString, timeText);
        QFETCH(QString, latText);
        QFETCH(QString, lonText);
        QFETCH(QString, dateText);
        QFETCH(QString, time);
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, date);
        const TParsed p = Parse(
            QStringLiteral("+RESP:SNAV,%1,%2,%3,42,270,%4,3,9,150.5,1").arg(time, lat, lon, date));
        QCOMPARE(p.Change.Report, QString("SNAV"));
        QCOMPARE(p.Fields.Text("eGPSTime"), timeText);
        QCOMPARE(p.Fields.Text("eLat"), latText);
        QCOMPARE(p.Fields.Text("eLon"), lonText);
        QCOMPARE(p.Fields.Text("eGPSDate"), dateText);
        QCOMPARE(p.Fields.Text("eSpeed"), QString("42"));
        QCOMPARE(p.Fields.Text("eAzimuth"), QString("270"));
        QCOMPARE(p.Fields.Text("eFixType"), QString("3"));
        QCOMPARE(p.Fields.Text("eSatCount"), QString("9"));
    }

    void altitudeSum_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("text");
        QTest::newRow("c locale") << "C"
                                  << "150.5"
                                  << "1"
                                  << "151.5";
        QTest::newRow("russian separator") << "ru_RU"
                                           << "150.5"
                                           << "0.25"
                                           << "150,75";
        QTest::newRow("integer") << "ru_RU"
                                 << "150"
                                 << "-20"
                                 << "130";
        QTest::newRow("binary noise is cut") << "C"
                                             << "0.1"
                                             << "0.2"
                                             << "0.3";
        QTest::newRow("invalid counts as 0") << "C"
                                             << "abc"
                                             << ""
                                             << "0";
        QTest::newRow("comma is not a separator") << "ru_RU"
                                                  << "1,5"
                                                  << "2"
                                                  << "2";
        QTest::newRow("15 digits") << "C"
                                   << "123456789.123456"
                                   << "0"
                                   << "123456789.123456";
        QTest::newRow("more than 15 digits rounds") << "C"
                                                    << "1234567890.1234567"
                                                    << "0"
                                                    << "1234567890.12346";
        QTest::newRow("negative") << "C"
                                  << "-12.25"
                                  << "0"
                                  << "-12.25";
    }
    void altitudeSum() {
        QFETCH(QString, text);
        QFETCH(QString, locale);
        QFETCH(QString, a);
        QFETCH(QString, b);
        const QLocale saved;
        QLocale::setDefault(QLocale(locale));
        // Quoting keeps a comma inside an item.
        const TParsed p =
            Parse(QStringLiteral("+RESP:SNAV,1,2,3,4,5,6,7,8,\"%1\",\"%2\"").arg(a, b));
        QLocale::setDefault(saved);
        QCOMPARE(p.Fields.Text("eAlt"), text);
    }

    void gsmTexts_data() {
        QTest::addColumn<QString>("reg");
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("regText");
        QTest::addColumn<QString>("stateText");
        QTest::newRow("home, state 0") << "1"
                                       << "0"
                                       << "Домашняя сеть"
                                       << "init";
        QTest::newRow("roaming, state 5") << "5"
                                          << "5"
                                          << "Роуминг"
                                          << "status";
        QTest::newRow("2 is not registered") << "2"
                                             << "6"
                                             << "Нет регистрации"
                                             << "Подключение";
        QTest::newRow("closing") << "0"
                                 << "7"
                                 << "Нет регистрации"
                                 << "Закрытие";
        QTest::newRow("connected") << ""
                                   << "8"
                                   << "Нет регистрации"
                                   << "Подключено";
        QTest::newRow("last entry") << "1"
                                    << "9"
                                    << "Домашняя сеть"
                                    << "pdp_deact";
        QTest::newRow("state 12") << "1"
                                  << "12"
                                  << "Домашняя сеть"
                                  << "N/A 12";
        QTest::newRow("empty state") << "1"
                                     << ""
                                     << "Домашняя сеть"
                                     << "N/A ";
        QTest::newRow("negative state") << "1"
                                        << "-1"
                                        << "Домашняя сеть"
                                        << "N/A -1";
        QTest::newRow("text state") << "1"
                                    << "up"
                                    << "Домашняя сеть"
                                    << "N/A up";
    }
    void gsmTexts() {
        QFETCH(QString, regText);
        QFETCH(QString, stateText);
        QFETCH(QString, reg);
        QFETCH(QString, state);
        const TParsed p = Parse(Sgsm(reg, state));
        QCOMPARE(p.Change.Report, QString("SGSM"));
        QVERIFY(p.Change.Signal);
        QCOMPARE(p.Fields.Text("eGSMReg"), regText);
        QCOMPARE(p.Fields.Text("eServerState"), stateText);
        QCOMPARE(p.Fields.Text("eGPRS"), QString("Активно"));
        QCOMPARE(p.Fields.Text("eGSMOp"), QString("MTS"));
        QCOMPARE(p.Fields.Text("eGSMStrength"), QString("20"));
        QCOMPARE(p.Fields.Text("eServer"), QString("srv.example.net:20100"));
        QCOMPARE(p.Fields.Text("eAPN"), QString("internet(mts,pw)"));
        QCOMPARE(p.Change.Controls.size(), 7);
    }

    void gprsInactiveUnlessOne() {
        const TParsed p = Parse("+RESP:SGSM,1,01,8,0,MTS,20,host,21,apn,user,pw");
        QCOMPARE(p.Fields.Text("eGPRS"), QString("Не активно"));
    }
};

QTEST_GUILESS_MAIN(TestStatusParser)
#include "tst_statusparser.moc"
