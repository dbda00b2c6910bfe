#include "config/ParamValueTable.h"
#include "pages/ParameterPages.h"
#include "profile/ProfileLoader.h"

#include <QTabWidget>
#include <QtTest>

// The window's pages and the plain table must take a tracker's value alike:
// a file saved from either after the same reads holds the same bytes.
namespace {

const char kProfile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<profile>
 <page id="v" name="Values">
  <command command="+VALS" description="All kinds" polldata="1" setdata="1" maxindex="2">
   <parameter type="integer" description="bounded" minvalue="10" maxvalue="100" defaultvalue="50"/>
   <parameter type="integer" description="free" minvalue="0" maxvalue="0" defaultvalue="7"/>
   <parameter type="string" description="short" maxlen="5" onleavemask="^[a-z]+$" defaultvalue="abc"/>
   <parameter type="hex" description="hex" maxlen="4" defaultvalue="1f"/>
   <parameter type="option" description="opt" defaultvalue="b">
    <option value="a" text="A"/><option value="b" text="B"/>
   </parameter>
  </command>
 </page>
</profile>
)";

} // namespace

class TestValueStores : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { LoadCommandProfileFromData(QByteArray(kProfile)); }

    void tableTakesValuesAsTheEditorsDo_data() {
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("wire");
        QTest::newRow("number in bounds") << 0 << QStringLiteral("42");
        QTest::newRow("number above bounds") << 0 << QStringLiteral("1000");
        QTest::newRow("number below bounds") << 0 << QStringLiteral("-3");
        QTest::newRow("not a number") << 0 << QStringLiteral("x1");
        QTest::newRow("number with blanks") << 0 << QStringLiteral(" 12 ");
        QTest::newRow("equal bounds leave it free") << 1 << QStringLiteral("-123456");
        QTest::newRow("text cut at its length") << 2 << QStringLiteral("abcdefgh");
        QTest::newRow("text against its leave mask") << 2 << QStringLiteral("Трек, №7");
        QTest::newRow("empty text") << 2 << QString();
        QTest::newRow("hex lower case") << 3 << QStringLiteral("ab");
        QTest::newRow("hex too long") << 3 << QStringLiteral("123456");
        QTest::newRow("hex with other signs") << 3 << QStringLiteral("1g2-3");
        QTest::newRow("known option") << 4 << QStringLiteral("a");
        QTest::newRow("unknown option") << 4 << QStringLiteral("zz");
    }
    void tableTakesValuesAsTheEditorsDo() {
        QFETCH(int, param);
        QFETCH(QString, wire);
        QTabWidget tabs;
        TParameterPages pages(&tabs);
        pages.BuildPages();
        TParamValueTable table;
        const TCmdAddress a{0, 0, 1, param};
        QCOMPARE(table.WireText(a), pages.WireText(a)); // the same defaults
        pages.SetWireText(a, wire);
        table.SetWireText(a, wire);
        QCOMPARE(table.WireText(a), pages.WireText(a));
    }

    void copiedTableKeepsItsOwnValues() {
        TParamValueTable first;
        const TCmdAddress a{0, 0, 0, 2};
        first.SetWireText(a, QStringLiteral("one"));
        TParamValueTable second = first;
        second.SetWireText(a, QStringLiteral("two"));
        second.SetParameterEnabled(a, false);
        second.MarkUnsupported(0, 0);
        QCOMPARE(first.WireText(a), QStringLiteral("one"));
        QVERIFY(first.ParameterEnabled(a));
        QVERIFY(first.CommandUsable(0, 0));
        QCOMPARE(second.WireText(a), QStringLiteral("two"));
    }
};

QTEST_MAIN(TestValueStores)
#include "tst_valuestores.moc"
