#include "link/RepeatedLog.h"
#include "link/ValueGuard.h"

#include <QtTest>

// What stands between the operator's data and the line or the log: values
// that would break a command line, and failures that would flood the log.

class TestLineGuards : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void firstControlChar_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::newRow("empty") << QString() << -1;
        QTest::newRow("plain") << QStringLiteral("gps.example.net:20211") << -1;
        QTest::newRow("blank passes") << QStringLiteral("a b") << -1;
        QTest::newRow("del") << (QStringLiteral("a b") + QChar(127) + QStringLiteral("c")) << 3;
        QTest::newRow("cyrillic passes") << QStringLiteral("Ёлка") << -1;
        QTest::newRow("cr") << QStringLiteral("a\rAT+SAVE=1111,") << 1;
        QTest::newRow("lf last") << QStringLiteral("abc\n") << 3;
        QTest::newRow("tab first") << QStringLiteral("\tx") << 0;
        QTest::newRow("nul") << (QStringLiteral("ab") + QChar(0)) << 2;
        QTest::newRow("code 31") << (QStringLiteral("x") + QChar(31)) << 1;
    }
    void firstControlChar() {
        QFETCH(QString, text);
        QFETCH(int, position);
        QCOMPARE(FirstControlChar(text), qsizetype(position));
    }

    void refusalNamesCommandAndParameterNotValue() {
        TDevCommand cmd;
        cmd.CommandName = QStringLiteral("+SGDT");
        TCmdParameter p0;
        p0.Description = QStringLiteral("Сервер");
        TCmdParameter p1;
        p1.Description = QStringLiteral("Пароль");
        cmd.Parameters = {p0, p1};
        const QString line = UnsafeValueMessage(cmd, 1);
        QCOMPARE(line, QStringLiteral("Команда +SGDT не отправлена: значение параметра 1 (Пароль) "
                                      "содержит управляющий символ"));
        QCOMPARE(FirstControlChar(line), qsizetype(-1));
    }

    void repeatsAreFolded_data() {
        QTest::addColumn<QStringList>("steps"); // a text, or "|" to settle
        QTest::addColumn<QStringList>("written");
        const QString a = QStringLiteral("Не могу открыть порт, исключение=нет");
        const QString b = QStringLiteral("Не могу открыть порт, исключение=занят");
        QTest::newRow("once") << QStringList{a} << QStringList{a};
        QTest::newRow("repeats then success")
            << QStringList{a, a, a, a, "|"} << QStringList{a, a + " (повторено 3 раз)"};
        QTest::newRow("repeats then another failure")
            << QStringList{a, a, b, b, "|"}
            << QStringList{a, a + " (повторено 1 раз)", b, b + " (повторено 1 раз)"};
        QTest::newRow("success without repeats writes nothing")
            << QStringList{a, "|", "|"} << QStringList{a};
        QTest::newRow("after success the same failure is news")
            << QStringList{a, a, "|", a} << QStringList{a, a + " (повторено 1 раз)", a};
        QTest::newRow("alternating is not folded") << QStringList{a, b, a} << QStringList{a, b, a};
    }
    void repeatsAreFolded() {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, written);
        QStringList log;
        TRepeatedLog folded([&log](const QString& text) { log << text; });
        for (const QString& step : std::as_const(steps)) {
            if (step == QLatin1String("|"))
                folded.Settle();
            else
                folded.Write(step);
        }
        QCOMPARE(log, written);
    }
};

QTEST_GUILESS_MAIN(TestLineGuards)
#include "tst_lineguards.moc"
