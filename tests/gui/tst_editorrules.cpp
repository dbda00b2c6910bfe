#include "pages/EditorAccess.h"
#include "pages/HexEdit.h"
#include "support/PageBench.h"
#include "support/ProfileBuilders.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QtTest>
#include <memory>

using namespace testkit;

namespace {

constexpr char kMaskMessage[] = "Значение не удовлетворяет маске";
constexpr char kRangeMessage[] = "Значение не входит заданный диапазон";
constexpr char kBlankMessage[] = "Invalid input value.  Use escape key to abandon changes";

TCmdParameter Text(const QString& charMask, const QString& leaveMask = QString(),
                   const QString& defaultValue = QString()) {
    TCmdParameter p = Param(pkString, QStringLiteral("Строка"));
    p.OnCharMask = charMask;
    p.OnLeaveMask = leaveMask;
    p.DefaultValue = defaultValue;
    return p;
}

TCmdParameter Hex(int maxLen, qint64 minValue, qint64 maxValue, const QString& defaultValue) {
    TCmdParameter p = Param(pkHex, QStringLiteral("Hex"));
    p.MaxLen = maxLen;
    p.MinValue = minValue;
    p.MaxValue = maxValue;
    p.DefaultValue = defaultValue;
    return p;
}

} // namespace

class TestEditorRules : public QObject {
    Q_OBJECT
    std::unique_ptr<TPageBench> B;

    // One page with one command of these parameters; the log starts empty.
    void BuildCommand(QVector<TCmdParameter> params) {
        B->Build({Page(QStringLiteral("A"),
                       {Command(QStringLiteral("+T"), true, false, -1, std::move(params))})});
        B->PaneLines.clear();
    }
    // Parameter 0 is the one under test; parameter 1 is a plain edit box
    // that takes the focus when the test leaves the first one.
    QLineEdit* Build(const TCmdParameter& param) {
        BuildCommand({param, Text(QString())});
        return qobject_cast<QLineEdit*>(Editor(0));
    }
    QWidget* Editor(int k) const { return B->Control(0, 0, 0, k, crEditor); }
    int LogCount(const QString& text) const { return int(B->Log().count(text)); }
    // Focus moves on inside the window; a refused exit brings it back later.
    void Leave(QLineEdit* edit) {
        QVERIFY(edit->hasFocus());
        Editor(1)->setFocus(Qt::TabFocusReason);
        QTest::qWait(20);
    }
    void Enter(QWidget* edit) {
        edit->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(edit->hasFocus());
    }

private Q_SLOTS:
    void initTestCase() {
        B = std::make_unique<TPageBench>();
        QVERIFY(B->Show());
    }
    void cleanupTestCase() { B.reset(); }

    void typingMaskKeepsTheLastMatchingText_data() {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("initial");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("anchored digits take digits") << "^[0-9]*$"
                                                     << ""
                                                     << "123"
                                                     << "123";
        QTest::newRow("anchored digits drop a letter") << "^[0-9]*$"
                                                       << ""
                                                       << "12a3"
                                                       << "123";
        QTest::newRow("anchored digits drop a space") << "^[0-9]*$"
                                                      << "5"
                                                      << " 6"
                                                      << "56";
        QTest::newRow("one digit anywhere, none yet") << "[0-9]"
                                                      << ""
                                                      << "ab"
                                                      << "";
        QTest::newRow("one digit anywhere, then letters") << "[0-9]"
                                                          << ""
                                                          << "a1bc"
                                                          << "1bc";
        QTest::newRow("one digit in the default") << "[0-9]"
                                                  << "x7"
                                                  << "yz"
                                                  << "x7yz";
        QTest::newRow("invalid mask lets everything through") << "[z"
                                                              << ""
                                                              << "a1 ?"
                                                              << "a1 ?";
    }
    void typingMaskKeepsTheLastMatchingText() {
        QFETCH(QString, mask);
        QFETCH(QString, initial);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QLineEdit* edit = Build(Text(mask, QString(), initial));
        Enter(edit);
        edit->end(false);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), result);
        QCOMPARE(LogCount(QStringLiteral("Неверная маска")), mask == QStringLiteral("[z") ? 1 : 0);
    }

    void deletingEverythingMatchesAnAnchoredMask() {
        QLineEdit* edit = Build(Text(QStringLiteral("^[0-9]*$"), QString(), QStringLiteral("42")));
        Enter(edit);
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, QStringLiteral("x9"));
        QCOMPARE(edit->text(), QStringLiteral("9"));
        QCOMPARE(edit->cursorPosition(), 1);
    }

    void textSetByTheProgramStands() {
        // A device answer or a loaded file is shown even when it breaks the
        // typing mask; typing then returns to it.
        QLineEdit* edit = Build(Text(QStringLiteral("^[0-9]*$"), QString(), QStringLiteral("1")));
        SetEditorText(edit, QStringLiteral("AB"));
        QCOMPARE(edit->text(), QStringLiteral("AB"));
        Enter(edit);
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("C"));
        QCOMPARE(edit->text(), QStringLiteral("AB"));
    }

    void invalidMaskIsReportedOnce() {
        QLineEdit* edit = Build(Text(QStringLiteral("(["), QStringLiteral("(["), QString()));
        Enter(edit);
        QTest::keyClicks(edit, QStringLiteral("abc"));
        Leave(edit);
        QCOMPARE(edit->text(), QStringLiteral("abc"));
        QCOMPARE(LogCount(QStringLiteral("Неверная маска: ([")), 1);
        QCOMPARE(LogCount(QString::fromUtf8(kMaskMessage)), 0);
        QTRY_VERIFY(Editor(1)->hasFocus());
    }

    void leaveMaskKeepsTheFocus() {
        QLineEdit* edit = Build(Text(QString(), QStringLiteral("^[0-9]{4}$"), QStringLiteral("1")));
        Enter(edit);
        Leave(edit);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), QStringLiteral("1"));
        QCOMPARE(LogCount(QString::fromUtf8(kMaskMessage)), 1);
        // Once per attempt to leave.
        Leave(edit);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(LogCount(QString::fromUtf8(kMaskMessage)), 2);

        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("234"));
        Leave(edit);
        QTRY_VERIFY(Editor(1)->hasFocus());
        QCOMPARE(LogCount(QString::fromUtf8(kMaskMessage)), 2);
    }

    void clickBesideARefusingEditorDoesNotClick() {
        QLineEdit* edit = Build(Text(QString(), QStringLiteral("^[0-9]{4}$"), QStringLiteral("1")));
        auto* other = qobject_cast<QCheckBox*>(B->Pages->FindControl(0, 0, 0, 1, crSwitch));
        QSignalSpy toggled(other, &QCheckBox::toggled);
        Enter(edit);
        QTest::mouseClick(other, Qt::LeftButton, {},
                          QPoint(other->width() - 4, other->height() / 2));
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(toggled.count(), 0);
        QCOMPARE(LogCount(QString::fromUtf8(kMaskMessage)), 1);
        // With a valid value the same click goes through.
        edit->setText(QStringLiteral("1234"));
        QTest::mouseClick(other, Qt::LeftButton, {},
                          QPoint(other->width() - 4, other->height() / 2));
        QCOMPARE(toggled.count(), 1);
        QTRY_VERIFY(other->hasFocus());
        // A later click elsewhere is not swallowed.
        QTest::mouseClick(other, Qt::LeftButton, {},
                          QPoint(other->width() - 4, other->height() / 2));
        QCOMPARE(toggled.count(), 2);
    }

    void twoRefusingEditorsDoNotPullTheFocusToAndFro() {
        BuildCommand(
            {Text(QString(), QStringLiteral("^x$")), Text(QString(), QStringLiteral("^y$"))});
        auto* first = qobject_cast<QLineEdit*>(Editor(0));
        Enter(first);
        Editor(1)->setFocus(Qt::TabFocusReason);
        QTest::qWait(100);
        QVERIFY(first->hasFocus());
        QCOMPARE(LogCount(QString::fromUtf8(kMaskMessage)), 1);
    }

    void hexRangeIsCheckedOnLeaving_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("below") << "000F" << false;
        QTest::newRow("lowest") << "0010" << true;
        QTest::newRow("highest") << "0FFF" << true;
        QTest::newRow("above") << "1000" << false;
    }
    void hexRangeIsCheckedOnLeaving() {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QLineEdit* edit = Build(Hex(4, 16, 4095, QStringLiteral("0100")));
        Enter(edit);
        edit->home(false);
        QTest::keyClicks(edit, text);
        QCOMPARE(edit->text(), text);
        Leave(edit);
        if (accepted)
            QTRY_VERIFY(Editor(1)->hasFocus());
        else
            QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(edit->text(), text);
        QCOMPARE(LogCount(QString::fromUtf8(kRangeMessage)), accepted ? 0 : 1);
    }

    void hexRangeUsesTheLowThirtyTwoBits() {
        QLineEdit* edit = Build(Hex(10, 0, 255, QStringLiteral("00000000FF")));
        QVERIFY(B->Pages->HexEditExit(qobject_cast<THexEdit*>(edit)));
        edit->setText(QStringLiteral("01000000FF"));
        QVERIFY(B->Pages->HexEditExit(qobject_cast<THexEdit*>(edit)));
        edit->setText(QStringLiteral("0000000100"));
        QVERIFY(!B->Pages->HexEditExit(qobject_cast<THexEdit*>(edit)));
    }

    void hexTakesOnlyHexDigits_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("lower-case b") << "b"
                                      << "B000";
        QTest::newRow("G") << "G"
                           << "0000";
        QTest::newRow("space") << " "
                               << "0000";
        QTest::newRow("mixed") << "a g9"
                               << "A900";
    }
    void hexTakesOnlyHexDigits() {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QLineEdit* edit = Build(Hex(4, 0, kUnsignedMaxDefault, QStringLiteral("0000")));
        Enter(edit);
        edit->home(false);
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), result);
    }

    void hexKeyFilter_data() {
        QTest::addColumn<QChar>("key");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QChar>("result");
        QTest::newRow("digit") << QChar('7') << true << QChar('7');
        QTest::newRow("lower f") << QChar('f') << true << QChar('F');
        QTest::newRow("carriage return") << QChar('\r') << true << QChar('\r');
        QTest::newRow("g") << QChar('g') << false << QChar('G');
        QTest::newRow("space") << QChar(' ') << false << QChar(' ');
        QTest::newRow("cyrillic") << QChar(0x0430) << false << QChar(0x0410);
    }
    void hexKeyFilter() {
        QFETCH(QChar, key);
        QFETCH(bool, kept);
        QFETCH(QChar, result);
        QCOMPARE(B->Pages->HexEditKeyPress(key), kept);
        QCOMPARE(key, result);
    }

    void hexBlankPositionKeepsTheFocusUntilEscape() {
        QLineEdit* edit = Build(Hex(4, 0, kUnsignedMaxDefault, QStringLiteral("12AB")));
        Enter(edit);
        edit->end(false);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QStringLiteral("12A"));
        Leave(edit);
        QTRY_VERIFY(edit->hasFocus());
        QCOMPARE(LogCount(QString::fromLatin1(kBlankMessage)), 1);
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(edit->text(), QStringLiteral("12AB"));
        Leave(edit);
        QTRY_VERIFY(Editor(1)->hasFocus());
        QCOMPARE(LogCount(QString::fromLatin1(kBlankMessage)), 1);
        // An untouched editor with blank positions may be left.
        QLineEdit* blank = Build(Hex(4, 0, kUnsignedMaxDefault, QString()));
        Enter(blank);
        Leave(blank);
        QTRY_VERIFY(Editor(1)->hasFocus());
    }

    void switchTurnsItsEditorOffAndOn() {
        QLineEdit* edit = Build(Text(QString(), QString(), QStringLiteral("значение")));
        QWidget* sw = B->Pages->FindControl(0, 0, 0, 0, crSwitch);
        QVERIFY(edit->isEnabled());
        QTest::mouseClick(sw, Qt::LeftButton, {}, QPoint(sw->width() - 4, sw->height() / 2));
        QVERIFY(!SwitchChecked(sw));
        QVERIFY(!edit->isEnabled());
        SetSwitchChecked(sw, true); // as the configuration loader does
        QVERIFY(edit->isEnabled());
        QCOMPARE(edit->text(), QStringLiteral("значение"));
    }

    void settingTheSameSwitchStateRunsNothing() {
        QLineEdit* edit = Build(Text(QString()));
        QWidget* sw = B->Pages->FindControl(0, 0, 0, 0, crSwitch);
        edit->setEnabled(false);
        SetSwitchChecked(sw, true);
        QVERIFY(!edit->isEnabled());
        SetSwitchChecked(sw, false);
        SetSwitchChecked(sw, true);
        QVERIFY(edit->isEnabled());
    }
};

QTEST_MAIN(TestEditorRules)
#include "tst_editorrules.moc"
