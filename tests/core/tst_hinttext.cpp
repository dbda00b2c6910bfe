#include "pages/HintText.h"

#include <QtTest>

namespace {

TCmdParameter Param(TParamKind kind, qint64 minValue, qint64 maxValue, int maxLen = 0,
                    const QString& leaveMask = QString()) {
    TCmdParameter p;
    p.ParamKind = kind;
    p.Description = QStringLiteral("Параметр");
    p.MinValue = minValue;
    p.MaxValue = maxValue;
    p.MaxLen = maxLen;
    p.OnLeaveMask = leaveMask;
    return p;
}

} // namespace

Q_DECLARE_METATYPE(TCmdParameter)

class TestHintText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void secondLineDescribesTheRule_data() {
        QTest::addColumn<TCmdParameter>("param");
        QTest::addColumn<QString>("rule");

        QTest::newRow("integer 1..3600")
            << Param(pkInteger, 1, 3600) << QStringLiteral("Число от 1 до 3600");
        QTest::newRow("integer without bounds")
            << Param(pkInteger, kIntegerMinDefault, kIntegerMaxDefault) << QStringLiteral("Число");
        QTest::newRow("integer lower bound only")
            << Param(pkInteger, -12, kIntegerMaxDefault) << QStringLiteral("Число от -12");
        QTest::newRow("integer upper bound only")
            << Param(pkInteger, kIntegerMinDefault, 0) << QStringLiteral("Число до 0");
        QTest::newRow("string of 32") << Param(pkString, 0, kUnsignedMaxDefault, 32)
                                      << QStringLiteral("Строка до 32 символов");
        QTest::newRow("string unlimited")
            << Param(pkString, 0, kUnsignedMaxDefault, 0) << QStringLiteral("Строка");
        QTest::newRow("string with leave mask")
            << Param(pkString, 0, kUnsignedMaxDefault, 8, QStringLiteral("^[0-9]{4,8}$"))
            << QStringLiteral("Строка до 8 символов, маска ^[0-9]{4,8}$");
        QTest::newRow("unlimited string with leave mask")
            << Param(pkString, 0, kUnsignedMaxDefault, 0, QStringLiteral("x"))
            << QStringLiteral("Строка, маска x");
        QTest::newRow("hex up to 65535")
            << Param(pkHex, 0, 65535, 8)
            << QStringLiteral("Шестнадцатеричное число 8 символов до 0000FFFF(65535)");
        QTest::newRow("hex full range") << Param(pkHex, 0, kUnsignedMaxDefault, 8)
                                        << QStringLiteral("Шестнадцатеричное число 8 символов");
        QTest::newRow("hex both bounds")
            << Param(pkHex, 16, 4095, 4)
            << QStringLiteral("Шестнадцатеричное число 4 символов от 0010(16) до 0FFF(4095)");
        QTest::newRow("hex bound wider than the digits")
            << Param(pkHex, 0, 0x12345, 2)
            << QStringLiteral("Шестнадцатеричное число 2 символов до 12345(74565)");
        QTest::newRow("option") << Param(pkOption, 0, 1) << QString();
    }

    void secondLineDescribesTheRule() {
        QFETCH(TCmdParameter, param);
        QFETCH(QString, rule);
        QCOMPARE(ParameterRuleHint(param), rule);
        QCOMPARE(ParameterHint(param), QStringLiteral("Параметр\r\n") + rule);
    }

    void emptyDescriptionStillStartsWithLineBreak() {
        TCmdParameter p = Param(pkInteger, 1, 3600);
        p.Description.clear();
        QCOMPARE(ParameterHint(p), QStringLiteral("\r\nЧисло от 1 до 3600"));
    }
};

QTEST_GUILESS_MAIN(TestHintText)
#include "tst_hinttext.moc"
