#include "base/IniFile.h"
#include "check/InstallCheck.h"
#include "check/StatusHistory.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr qint64 kSecond = 1000;

QString Trep(const QString& codes) {
    return QStringLiteral("+RESP:TREP,EF4016,") + codes;
}
QString Srep(const QString& volts, bool ignition) {
    return QStringLiteral("+RESP:SREP,0,0,0,0,0,0,2000,%1,4.1,25,0,0,1000,100,0,0,%2,0,0,0")
        .arg(volts)
        .arg(ignition ? 1 : 0);
}
QString Sfpt(int toSend) {
    return QStringLiteral("+RESP:SFPT,0,40,400000,100,%1").arg(toSend);
}
QString Snav(int fix, int satellites) {
    return QStringLiteral("+RESP:SNAV,120000,5545.1234N,03737.1234E,40,90,010124,%1,%2,150,14")
        .arg(fix)
        .arg(satellites);
}
QString Sgsm(const QString& registration, int gprs, int state, int signal) {
    return QStringLiteral("+RESP:SGSM,%1,%2,%3,0,MTS,%4,srv.example.net,20100,internet,,")
        .arg(registration)
        .arg(gprs)
        .arg(state)
        .arg(signal);
}

// "second|line" steps fed in order.
void Feed(TInstallCheck& check, const QStringList& steps) {
    for (const QString& step : steps)
        check.Add(ReadStatusReport(step.section(QLatin1Char('|'), 1)),
                  step.section(QLatin1Char('|'), 0, 0).toLongLong() * kSecond);
}

QString At(int second, const QString& line) {
    return QString::number(second) + QLatin1Char('|') + line;
}

// Every criterion met from second 0 to 25 (ignition on at 5, off at 10).
QStringList Healthy() {
    QStringList steps{At(0, Trep("0,0,0,0,1"))};
    for (int s = 0; s <= 25; ++s)
        steps << At(s, Srep("12.6", s >= 5 && s < 10)) << At(s, Sfpt(s % 4)) << At(s, Snav(3, 9))
              << At(s, Sgsm("1", 1, 8, 20));
    return steps;
}

} // namespace

class TestInstallCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void criterionStates_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("criterion");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("value"); // a part of the deciding value

        const QString gsmOk = Sgsm("1", 1, 8, 20);
        QTest::newRow("self-test: no report")
            << QStringList{At(0, gsmOk)} << int(ckSelfTest) << int(csWaiting) << "нет отчёта";
        QTest::newRow("self-test: all sound")
            << QStringList{At(0, Trep("0,0,0,0,1"))} << int(ckSelfTest) << int(csPassed) << "OK";
        QTest::newRow("self-test: modem and sim")
            << QStringList{At(0, Trep("0,3,0,0,0"))} << int(ckSelfTest) << int(csFailed)
            << "модем: 3; SIM: 0";

        QTest::newRow("fix: held 5 of 10 s")
            << QStringList{At(0, Snav(3, 8)), At(5, Snav(3, 8))} << int(ckNavigation)
            << int(csWaiting) << "держится 5 из 10 с";
        QTest::newRow("fix: held 10 s, as far as navigation reports tell")
            << QStringList{At(0, Snav(3, 8)), At(10, Snav(3, 8)), At(20, gsmOk)}
            << int(ckNavigation) << int(csPassed) << "держится 10 с";
        QTest::newRow("fix: a 2D report starts the hold again")
            << QStringList{At(0, Snav(3, 8)), At(6, Snav(2, 8)), At(7, Snav(3, 8)),
                           At(15, Snav(3, 8))}
            << int(ckNavigation) << int(csWaiting) << "8 из 10";
        QTest::newRow("fix: too few satellites")
            << QStringList{At(0, Snav(3, 5))} << int(ckNavigation) << int(csFailed)
            << "захват 3, спутников 5";

        QTest::newRow("gsm: home network") << QStringList{At(0, gsmOk)} << int(ckGsm)
                                           << int(csPassed) << "Домашняя сеть; GPRS: Активно";
        QTest::newRow("gsm: roaming")
            << QStringList{At(0, Sgsm("5", 1, 8, 10))} << int(ckGsm) << int(csPassed) << "Роуминг";
        QTest::newRow("gsm: not registered") << QStringList{At(0, Sgsm("2", 1, 8, 20))}
                                             << int(ckGsm) << int(csFailed) << "Нет регистрации";
        QTest::newRow("gsm: no gprs") << QStringList{At(0, Sgsm("1", 0, 8, 20))} << int(ckGsm)
                                      << int(csFailed) << "GPRS: Не активно";
        QTest::newRow("gsm: server still connecting")
            << QStringList{At(0, Sgsm("1", 1, 6, 20))} << int(ckGsm) << int(csFailed)
            << "сервер: Подключение";
        QTest::newRow("gsm: weak signal")
            << QStringList{At(0, Sgsm("1", 1, 8, 9))} << int(ckGsm) << int(csFailed) << "сигнал: 9";
        QTest::newRow("gsm: level unknown yet") << QStringList{At(0, Sgsm("1", 1, 8, 99))}
                                                << int(ckGsm) << int(csWaiting) << "сигнал: ?";
        QTest::newRow("gsm: unknown level keeps the last known")
            << QStringList{At(0, gsmOk), At(1, Sgsm("1", 1, 8, 99))} << int(ckGsm) << int(csPassed)
            << "сигнал: 20";

        QTest::newRow("power: 12 V") << QStringList{At(0, Srep("12.40", false))} << int(ckPower)
                                     << int(csPassed) << "12.40 В";
        QTest::newRow("power: 24 V charging")
            << QStringList{At(0, Srep("28.3", true))} << int(ckPower) << int(csPassed) << "28.30 В";
        QTest::newRow("power: flat") << QStringList{At(0, Srep("8.9", false))} << int(ckPower)
                                     << int(csFailed) << "8.90 В, допустимо 11.00…32.00 В";
        QTest::newRow("power: too high")
            << QStringList{At(0, Srep("32.5", false))} << int(ckPower) << int(csFailed) << "32.50";
        QTest::newRow("power: unreadable") << QStringList{At(0, Srep("", false))} << int(ckPower)
                                           << int(csWaiting) << "нет данных";

        QTest::newRow("ignition: off only")
            << QStringList{At(0, Srep("12", false))} << int(ckIgnition) << int(csWaiting)
            << "ждём включения";
        QTest::newRow("ignition: on only")
            << QStringList{At(0, Srep("12", false)), At(1, Srep("12", true))} << int(ckIgnition)
            << int(csWaiting) << "ждём выключения";
        QTest::newRow("ignition: on from the start, then off")
            << QStringList{At(0, Srep("12", true)), At(1, Srep("12", false))} << int(ckIgnition)
            << int(csPassed) << "включалось и выключалось";
        QTest::newRow("ignition: once seen, on again still holds")
            << QStringList{At(0, Srep("12", false)), At(1, Srep("12", true)),
                           At(2, Srep("12", false)), At(3, Srep("12", true))}
            << int(ckIgnition) << int(csPassed) << "включалось";

        QTest::newRow("memory: data left")
            << QStringList{At(0, Sfpt(3)), At(1, Sfpt(4)), At(2, Sfpt(2))} << int(ckMemory)
            << int(csPassed) << "3 → 2";
        QTest::newRow("memory: never grew over the window")
            << QStringList{At(0, Sfpt(0)), At(20, Sfpt(0))} << int(ckMemory) << int(csPassed)
            << "0 → 0";
        QTest::newRow("memory: window not over") << QStringList{At(0, Sfpt(0)), At(19, Sfpt(0))}
                                                 << int(ckMemory) << int(csWaiting) << "0 → 0";
        QTest::newRow("memory: grew by the limit") << QStringList{At(0, Sfpt(1)), At(30, Sfpt(6))}
                                                   << int(ckMemory) << int(csWaiting) << "1 → 6";
        QTest::newRow("memory: grew past the limit")
            << QStringList{At(0, Sfpt(3)), At(1, Sfpt(2)), At(2, Sfpt(9))} << int(ckMemory)
            << int(csFailed) << "3 → 9";
    }
    void criterionStates() {
        QFETCH(QStringList, steps);
        QFETCH(int, criterion);
        QFETCH(int, state);
        QFETCH(QString, value);
        TInstallCheck check;
        Feed(check, steps);
        const TCriterionResult r = check.Result(TCriterion(criterion));
        QCOMPARE(r.Value.contains(value), true);
        QCOMPARE(int(r.State), state);
        QVERIFY(!check.AllHold());
    }

    void verdictHoldsOnlyWhenEveryEnabledCriterionDoes() {
        TInstallCheck silent;
        QCOMPARE(silent.Verdict().Reasons.first(), QString("нет отчётов трекера"));

        TInstallCheck check;
        Feed(check, Healthy());
        QVERIFY2(check.AllHold(), qPrintable(check.Verdict().Reasons.join('\n')));
        QCOMPARE(VerdictText(check.Verdict().Passed), QString("Годен"));
        QCOMPARE(check.Identity().Imei, QString()); // no DPRM came
        QVERIFY(check.LastPosition().HasPosition());

        // A flat supply at the end fails the check again, naming the reason.
        Feed(check, {At(26, Srep("9.5", false))});
        const TCheckVerdict v = check.Verdict();
        QVERIFY(!v.Passed);
        QCOMPARE(v.Reasons, QStringList{"Питание: не норма (9.50 В, допустимо 11.00…32.00 В)"});

        // Restarting waits for everything again but keeps the position.
        check.Restart();
        QCOMPARE(check.Result(ckIgnition).State, csWaiting);
        QCOMPARE(check.StartMs(), qint64(-1));
        QVERIFY(check.LastPosition().HasPosition());

        // A bench without a key: the ignition is switched off and never waited for.
        TCheckSettings noKey;
        noKey.Enabled[ckIgnition] = false;
        TInstallCheck bench(noKey);
        QStringList steps = Healthy();
        steps.removeIf([](const QString& s) { return s.contains("SREP"); });
        steps << At(25, Srep("12.6", false));
        Feed(bench, steps);
        QCOMPARE(bench.Result(ckIgnition).State, csOff);
        QVERIFY(bench.AllHold());
    }

    void settingsFromTheIniFile_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("expected"); // sats,hold,signal,min,max,growth,window,enabled
        QTest::addColumn<int>("problems");
        QTest::newRow("no section: defaults") << ""
                                              << "6,10,10,11,32,5,20,111111" << 0;
        QTest::newRow("every key") << "MinSatellites=4\r\nFixHoldSeconds=0x1E\r\nMinSignal=15\r\n"
                                      "MinVoltage=21,5\r\nMaxVoltage=29.5\r\nMaxSlotsGrowth=50\r\n"
                                      "MemoryWindowSeconds=60\r\n"
                                   << "4,30,15,21.5,29.5,50,60,111111" << 0;
        QTest::newRow("criteria switched off") << "Ignition=0\r\nMemory=0\r\nSelfTest=1\r\n"
                                               << "6,10,10,11,32,5,20,111100" << 0;
        QTest::newRow("bad values keep their defaults")
            << "MinSatellites=many\r\nMinSignal=32\r\nMinVoltage=abc\r\nGsm=2\r\n"
            << "6,10,10,11,32,5,20,111111" << 4;
        QTest::newRow("voltage range upside down") << "MinVoltage=30\r\nMaxVoltage=12\r\n"
                                                   << "6,10,10,11,32,5,20,111111" << 1;
    }
    void settingsFromTheIniFile() {
        QFETCH(QString, section);
        QFETCH(QString, expected);
        QFETCH(int, problems);
        QTemporaryDir dir;
        const QString path = dir.filePath("Velmora.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(("[Device]\r\nMinSignal=1\r\n[Check]\r\n" + section).toLatin1());
        file.close();
        QStringList found;
        const TCheckSettings s = ReadCheckSettings(TIniFile(path), &found);
        QString enabled;
        for (bool on : s.Enabled)
            enabled += on ? '1' : '0';
        QCOMPARE(QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8")
                     .arg(s.MinSatellites)
                     .arg(s.FixHoldSeconds)
                     .arg(s.MinSignal)
                     .arg(s.MinVoltage)
                     .arg(s.MaxVoltage)
                     .arg(s.MaxSlotsGrowth)
                     .arg(s.MemoryWindowSeconds)
                     .arg(enabled),
                 expected);
        QCOMPARE(found.size(), problems);
        for (const QString& p : found)
            QVERIFY2(p.startsWith("[Check] "), qPrintable(p));
    }

    void historyKeepsTheLastHalfHourOfReadableNumbers() {
        TStatusHistory history;
        constexpr qint64 kPeriod = 500;
        constexpr int kReports = 40 * 60 * 2; // forty minutes
        for (int n = 0; n < kReports; ++n) {
            const qint64 ms = n * kPeriod;
            history.Add(ReadStatusReport(Srep(n % 10 ? "12.5" : "", false)), ms);
            history.Add(ReadStatusReport(Sgsm("1", 1, 8, n % 2 ? 99 : 20)), ms);
        }
        const qint64 last = (kReports - 1) * kPeriod;
        const QList<QPointF>& supply = history.Points(tsSupply);
        QCOMPARE(supply.last(), QPointF(last, 12.5));
        QVERIFY(supply.first().x() >= last - kHistorySpanMs);
        QVERIFY(supply.first().x() < last - kHistorySpanMs + 2 * kPeriod);
        int readable = 0; // the span's ends included, unreadable numbers left out
        for (qint64 n = (last - kHistorySpanMs) / kPeriod; n < kReports; ++n)
            readable += n % 10 ? 1 : 0;
        QCOMPARE(supply.size(), readable);
        // Every other level is unknown; the span reaches back from the last known one.
        QCOMPARE(history.Points(tsSignal).size(), int(kHistorySpanMs / kPeriod / 2 + 1));
        QCOMPARE(history.Points(tsSpeed).size(), 0);
        // A faster stream is bounded by count as well.
        TStatusHistory fast;
        for (int n = 0; n < 2 * kHistoryMaxPoints; ++n)
            fast.Append(tsSpeed, n, n);
        QCOMPARE(fast.Points(tsSpeed).size(), kHistoryMaxPoints);
        QCOMPARE(fast.Points(tsSpeed).first().y(), double(kHistoryMaxPoints));
    }
};

QTEST_MAIN(TestInstallCheck)
#include "tst_installcheck.moc"
