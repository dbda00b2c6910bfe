#include "profile/ParamSearch.h"

#include <QtTest>

namespace {

TDevCommand Cmd(const QString& name, const QString& description, const QStringList& params) {
    TDevCommand c;
    c.CommandName = name;
    c.Description = description;
    for (const QString& p : params) {
        TCmdParameter param;
        param.Description = p;
        c.Parameters.append(param);
    }
    return c;
}

QVector<TCmdPage> Pages() {
    TCmdPage a;
    a.PageName = QStringLiteral("Основные");
    a.Commands = {Cmd(QStringLiteral("+SGDT"), QStringLiteral("Идентификация трекера"),
                      {QStringLiteral("Имя трекера"), QStringLiteral("Период")}),
                  Cmd(QStringLiteral("+STZN"), QStringLiteral("Часовой пояс"),
                      {QStringLiteral("Смещение, мин")})};
    TCmdPage b;
    b.PageName = QStringLiteral("Связь");
    b.Commands = {Cmd(QStringLiteral("+SSRV"), QStringLiteral("Сервер"),
                      {QStringLiteral("Адрес"), QStringLiteral("Период передачи")})};
    return {a, b};
}

QString Show(const QVector<TParamMatch>& found) {
    QStringList out;
    for (const TParamMatch& m : found)
        out << QStringLiteral("%1/%2/%3").arg(m.Page).arg(m.Command).arg(m.Param);
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestParamSearch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Command names, command and parameter descriptions, any letter case, in
    // table order across pages; a command comes before its own parameters.
    void findsInTableOrder_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("command name, any case") << "sgdt"
                                                << "0/0/-1";
        QTest::newRow("part of a name") << "+S"
                                        << "0/0/-1 0/1/-1 1/0/-1";
        QTest::newRow("parameter, across pages") << "ПЕРИОД"
                                                 << "0/0/1 1/0/1";
        QTest::newRow("command and its parameter") << "трекер"
                                                   << "0/0/-1 0/0/0";
        QTest::newRow("blanks around do not count") << "  пояс "
                                                    << "0/1/-1";
        QTest::newRow("inner text with comma") << "смещение, м"
                                               << "0/1/0";
        QTest::newRow("nothing") << "нет такого"
                                 << "";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks only") << "   "
                                     << "";
    }
    void findsInTableOrder() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(Show(FindParameters(Pages(), text)), expected);
    }

    // Enter walks on and wraps round to the first match.
    void nextMatchWraps() {
        QCOMPARE(NextMatch(0, -1), -1);
        QCOMPARE(NextMatch(0, 3), -1);
        QCOMPARE(NextMatch(3, -1), 0);
        QCOMPARE(NextMatch(3, 0), 1);
        QCOMPARE(NextMatch(3, 2), 0);
        QCOMPARE(NextMatch(3, 7), 0); // a stale position after the list shrank
    }
};

QTEST_MAIN(TestParamSearch)
#include "tst_paramsearch.moc"
