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
        QTest::newRow("blank and del pass") << (QStringLiteral("a b") + QChar(127)) << -1;
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
};

QTEST_GUILESS_MAIN(TestLineGuards)
#include "tst_lineguards.moc"
