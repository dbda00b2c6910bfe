#include "config/FileCompare.h"
#include "config/ParamValueTable.h"
#include "config/ValueDiff.h"
#include "profile/ProfileLoader.h"
#include "profile/TouchRecorder.h"
#include "profile/WireValue.h"

#include <QtTest>

// Comparing two value stores, what a comparison may put back, and the
// value rules a comparison and the write check share.

namespace {

const char kProfile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<profile>
 <page id="a" name="A">
  <command command="+AAAA" description="a" polldata="1" exportdata="1">
   <parameter type="integer" description="i" minvalue="0" maxvalue="100" defaultvalue="5"/>
   <parameter type="string" description="s" defaultvalue="x"/>
   <parameter type="option" description="o" optional="0" defaultvalue="1">
    <option value="0" text="zero"/><option value="1" text="one"/>
   </parameter>
   <parameter type="hex" description="h" maxlen="4" defaultvalue="00FF"/>
  </command>
  <command command="+BBBB" description="b" polldata="1" exportdata="1" maxindex="2">
   <parameter type="string" description="r" defaultvalue="-"/>
  </command>
 </page>
</profile>
)";

// Stands in for the pages, which hold every value they show.
class TPagesTable : public TParamValueTable {
public:
    int Held(const TCmdAddress&) const override { return hpValue | hpSwitch; }
};

TCmdAddress At(int command, int param, int row = 0) {
    return {0, command, row, param};
}

QString Rows(const TValueDiff& diff) {
    QStringList out;
    for (const TValueDiffRow& r : diff.Rows)
        out << QStringLiteral("%1.%2.%3:%4%5/%6%7")
                   .arg(r.Address.Command)
                   .arg(r.Address.Row)
                   .arg(r.Address.Param)
                   .arg(r.PageEnabled ? QString() : QStringLiteral("off "), r.PageValue)
                   .arg(r.OtherEnabled ? QString() : QStringLiteral("off "),
                        r.OtherHasValue ? r.OtherValue : QStringLiteral("?"));
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestValueDiff : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { LoadCommandProfileFromData(QByteArray(kProfile)); }

    // A tracker may answer a number in another spelling; texts and option
    // values compare exactly.
    void sameWireValue_data() {
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<bool>("same");
        QTest::newRow("integer, leading zeros") << 0 << "007"
                                                << "7" << true;
        QTest::newRow("integer, other number") << 0 << "7"
                                               << "8" << false;
        QTest::newRow("integer, not a number") << 0 << "7"
                                               << "7a" << false;
        QTest::newRow("integer, both empty") << 0 << ""
                                             << "" << true;
        QTest::newRow("integer, one empty") << 0 << "0"
                                            << "" << false;
        QTest::newRow("string, letter case") << 1 << "abc"
                                             << "ABC" << false;
        QTest::newRow("string, blank") << 1 << "a"
                                       << "a " << false;
        QTest::newRow("option, exact") << 2 << "1"
                                       << "01" << false;
        QTest::newRow("hex, letter case") << 3 << "00ff"
                                          << "00FF" << true;
        QTest::newRow("hex, padding") << 3 << "0100"
                                      << "100" << true;
        QTest::newRow("hex, other") << 3 << "0100"
                                    << "0101" << false;
    }
    void sameWireValue() {
        QFETCH(int, param);
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(bool, same);
        const TCmdParameter& p = DevCommands[0].Commands[0].Parameters[param];
        QCOMPARE(SameWireValue(p, a, b), same);
        QCOMPARE(SameWireValue(p, b, a), same);
    }

    // A file holds switches: a switch that differs is a difference, values
    // behind two switched-off switches are not, and only what the other
    // side reached counts.
    void comparisonWithSwitches() {
        TPagesTable pages;
        TParamValueTable file;
        TTouchRecorder touched(file);
        pages.SetWireText(At(0, 0), QStringLiteral("9"));
        touched.SetWireText(At(0, 0), QStringLiteral("10")); // differs
        touched.SetParameterEnabled(At(0, 1), false);        // switch only
        pages.SetParameterEnabled(At(0, 3), false);          // both off,
        touched.SetParameterEnabled(At(0, 3), false);        // values apart
        touched.SetWireText(At(0, 3), QStringLiteral("0ABC"));
        touched.SetWireText(At(0, 2), QStringLiteral("1"));    // same option
        pages.SetWireText(At(1, 0, 1), QStringLiteral("p"));   // not reached
        touched.SetWireText(At(1, 0, 0), QStringLiteral("q")); // row 0 differs
        const TValueDiff diff = CompareValues(pages, touched, dsCompare);
        QCOMPARE(Rows(diff), QStringLiteral("0.0.0:9/10 0.0.1:x/off ? 1.0.0:-/q"));
        QCOMPARE(diff.Compared, 5);
        QCOMPARE(diff.Differing(), 3);

        // Back onto the pages: switch first, then the value.
        TransferValues(diff.Rows, pages);
        QCOMPARE(pages.WireText(At(0, 0)), QStringLiteral("10"));
        QVERIFY(!pages.ParameterEnabled(At(0, 1)));
        QCOMPARE(pages.WireText(At(0, 1)), QStringLiteral("x"));
        QCOMPARE(pages.WireText(At(1, 0, 0)), QStringLiteral("q"));
        QVERIFY(CompareValues(pages, touched, dsCompare).Rows.isEmpty());
    }

    // A tracker's answer carries no switches: a value switched off at the
    // pages is not sent, so not compared; a command the pages know as
    // unsupported is left out.
    void comparisonWithoutSwitches() {
        TPagesTable pages;
        TParamValueTable tracker;
        TTouchRecorder touched(tracker);
        for (int p = 0; p < 4; ++p)
            touched.SetWireText(At(0, p), pages.WireText(At(0, p)));
        touched.SetWireText(At(0, 0), QStringLiteral("6"));
        touched.SetWireText(At(0, 1), QStringLiteral("y"));
        tracker.SetParameterEnabled(At(0, 3), false);
        pages.SetParameterEnabled(At(0, 1), false);
        touched.SetWireText(At(1, 0, 1), QStringLiteral("z"));
        pages.MarkUnsupported(0, 1);
        const TValueDiff diff = CompareValues(pages, touched, dsIgnore);
        QCOMPARE(Rows(diff), QStringLiteral("0.0.0:5/6"));
        QCOMPARE(diff.Compared, 3);
    }

    // Commands the profile does not know leave the text before it is
    // loaded (any letter case finds a known one); a nameless command stays
    // for the loader to report.
    void unknownCommandsLeaveTheText() {
        const QByteArray text =
            "<Velmora><ExportCommandParamenters>"
            "<command name=\"+zzzz\"><index index=\"0\"><parameter index=\"0\">1</parameter>"
            "</index></command>"
            "<command name=\"+aaaa\"><index index=\"0\"></index></command>"
            "<command name='+YYYY'/>"
            "<command name=\"\"></command>"
            "<command name=\"+ZZZZ\">\n</command>"
            "</ExportCommandParamenters></Velmora>";
        int count = -1;
        const QByteArray out = WithoutUnknownCommands(text, &count);
        QCOMPARE(count, 3);
        QCOMPARE(out, QByteArray("<Velmora><ExportCommandParamenters>"
                                 "<command name=\"+aaaa\"><index index=\"0\"></index></command>"
                                 "<command name=\"\"></command>"
                                 "</ExportCommandParamenters></Velmora>"));
        QCOMPARE(WithoutUnknownCommands(out, &count), out);
        QCOMPARE(count, 0);
    }
};

QTEST_MAIN(TestValueDiff)
#include "tst_valuediff.moc"
