#include "pages/EditorAccess.h"
#include "pages/HexEdit.h"
#include "pages/TagCode.h"
#include "profile/ProfileLoader.h"
#include "support/PageBench.h"
#include "support/ProfileBuilders.h"
#include "support/ShippedProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>
#include <climits>
#include <cmath>
#include <memory>

using namespace testkit;

namespace {

constexpr int kUnit = 17; // the layout unit at 96 dots per inch

template <class T> QList<T*> DirectChildren(const QWidget* parent) {
    return parent->findChildren<T*>(QString(), Qt::FindDirectChildrenOnly);
}

QStringList ButtonCaptions(const QWidget* parent) {
    QStringList out;
    for (const QPushButton* b : DirectChildren<QPushButton>(parent))
        out << b->text();
    return out;
}

int Tag(const QObject* obj) {
    return obj->property("Tag").toInt();
}

// WCAG contrast ratio of two colours.
double Contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

} // namespace

class TestPages : public QObject {
    Q_OBJECT
    std::unique_ptr<TPageBench> B;

    void Build(QVector<TCmdPage> pages) {
        B->Pages->H = kUnit;
        B->Pages->W = kUnit;
        B->Build(std::move(pages));
    }

private Q_SLOTS:
    void initTestCase() {
        B = std::make_unique<TPageBench>();
        QVERIFY(B->Show());
    }
    void cleanupTestCase() { B.reset(); }

    void shippedProfileGetsEveryControl() {
        LoadCommandProfile(ShippedProfilePath());
        B->Build();
        QVERIFY(!DevCommands.isEmpty());
        QCOMPARE(B->Tabs->count(), DevCommands.size());
        for (int p = 0; p < DevCommands.size(); ++p) {
            QCOMPARE(B->Tabs->tabText(p).remove(QStringLiteral("(*)")), DevCommands[p].PageName);
            QCOMPARE(ButtonCaptions(B->Pages->PageScrollBox(p)),
                     QStringList({"Применить страницу", "Получить страницу"}));
            for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
                const TDevCommand& cmd = DevCommands[p].Commands[c];
                QVERIFY(B->Pages->FindControl(p, c, 0, 0, crGroup));
                for (int r = 0; r < cmd.RowCount(); ++r)
                    for (int k = 0; k < cmd.Parameters.size(); ++k) {
                        QWidget* editor = B->Pages->FindControl(p, c, r, k, crEditor);
                        QVERIFY2(editor, qPrintable(cmd.CommandName));
                        const TCmdAddress a = B->Pages->ControlAddress(editor);
                        QCOMPARE(a.Page, p);
                        QCOMPARE(a.Command, c);
                        QCOMPARE(a.Row, r);
                        QCOMPARE(a.Param, k);
                        QCOMPARE(B->Pages->FindControl(p, c, r, k, crSwitch) != nullptr,
                                 cmd.Parameters[k].Optional);
                    }
            }
        }
    }

    void rebuildReplacesEveryPage() {
        Build({Page("A", {}), Page("B", {}), Page("C", {})});
        B->Tabs->setCurrentIndex(2);
        Build({Page("X", {}), Page("Y", {})});
        QCOMPARE(B->Tabs->count(), 2);
        QCOMPARE(B->Tabs->tabText(1), QStringLiteral("Y"));
        QCOMPARE(B->Tabs->currentIndex(), 0);
        // A page without commands still has both page buttons.
        QCOMPARE(ButtonCaptions(B->Pages->PageScrollBox(1)),
                 QStringList({"Применить страницу", "Получить страницу"}));
        Build({});
        QCOMPARE(B->Tabs->count(), 0);
        QVERIFY(!B->Pages->FindControl(0, 0, 0, 0, crGroup));
    }

    void scrollAreaTracksTheThumb() {
        Build({Page("A", {Command("+A", true, true, 0, {Param(pkString, "s")})})});
        auto* scroll = B->Tabs->widget(0)->findChild<QScrollArea*>();
        QVERIFY(scroll);
        QVERIFY(scroll->verticalScrollBar()->hasTracking());
        QCOMPARE(scroll->widget(), B->Pages->PageScrollBox(0));
        // The content is large enough for everything placed on it.
        for (const QWidget* w : DirectChildren<QWidget>(B->Pages->PageScrollBox(0)))
            QVERIFY(B->Pages->PageScrollBox(0)->rect().contains(w->geometry()));
    }

    void indexedCommandGetsRowBoxes_data() {
        QTest::addColumn<bool>("setData");
        QTest::addColumn<QStringList>("rowButtons");
        QTest::addColumn<QStringList>("commandButtons");
        QTest::newRow("writable") << true << QStringList({"Применить"})
                                  << QStringList({"Применить все", "Получить"});
        QTest::newRow("read only") << false << QStringList() << QStringList({"Получить"});
    }
    void indexedCommandGetsRowBoxes() {
        QFETCH(bool, setData);
        QFETCH(QStringList, rowButtons);
        QFETCH(QStringList, commandButtons);
        Build({Page("A", {Command("+P", true, false, 0, {Param(pkString, "x")}),
                          Command("+IDX", setData, true, 3,
                                  {Param(pkInteger, "n"), Param(pkString, "s", false)})})});
        auto* group = qobject_cast<QGroupBox*>(B->Pages->FindControl(0, 1, 0, 0, crGroup));
        QVERIFY(group);
        QCOMPARE(Tag(group), MakeTag(1, 0, 0));
        const QList<QGroupBox*> rows = DirectChildren<QGroupBox>(group);
        QCOMPARE(rows.size(), 3);
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(rows[r]->title(), QStringLiteral("#%1").arg(r + 1));
            QCOMPARE(Tag(rows[r]), MakeTag(1, r, 0));
            QCOMPARE(ButtonCaptions(rows[r]), rowButtons);
            QCOMPARE(B->Pages->FindControl(0, 1, r, 1, crEditor)->parentWidget(), rows[r]);
            QCOMPARE(Tag(B->Pages->FindControl(0, 1, r, 1, crEditor)), MakeTag(1, r, 1));
            if (r > 0)
                QCOMPARE(rows[r]->y(), rows[r - 1]->geometry().bottom() + 1 + kUnit / 5);
        }
        QCOMPARE(ButtonCaptions(group), commandButtons);
        // Command buttons sit below the last row box.
        const QPushButton* last = DirectChildren<QPushButton>(group).last();
        QCOMPARE(last->y(), rows[2]->geometry().bottom() + 1 + kUnit / 2);
        QCOMPARE(group->height(), last->geometry().bottom() + 1 + kUnit / 2);
        // The command name label heads the group.
        const QList<QLabel*> labels = DirectChildren<QLabel>(group);
        QCOMPARE(labels.first()->text(), QStringLiteral("+IDX"));
        QCOMPARE(labels.first()->pos(), QPoint(kUnit / 2, kUnit));
        QCOMPARE(rows[0]->y(), kUnit / 5 + kUnit + labels.first()->height());
    }

    void commandWithoutButtonsEndsBelowLastRow() {
        Build({Page(
            "A", {Command("+N", false, false, 0, {Param(pkString, "a"), Param(pkInteger, "b")})})});
        QWidget* group = B->Pages->FindControl(0, 0, 0, 0, crGroup);
        QVERIFY(DirectChildren<QPushButton>(group).isEmpty());
        QWidget* lastEditor = B->Pages->FindControl(0, 0, 0, 1, crEditor);
        const QWidget* lastSwitch = B->Pages->FindControl(0, 0, 0, 1, crSwitch);
        QCOMPARE(group->height(),
                 lastEditor->y() + qMax(lastEditor->height(), lastSwitch->height()) + kUnit / 2);
        QVERIFY(!B->Pages->FindControl(0, 0, 0, 0, crButton));
        // The page buttons follow the group.
        const QList<QPushButton*> pageButtons =
            DirectChildren<QPushButton>(B->Pages->PageScrollBox(0));
        QCOMPARE(pageButtons[0]->y(), group->geometry().bottom() + 1 + kUnit / 2);
    }

    void geometryFollowsTheLayoutUnit() {
        TCmdParameter withSuffix = Param(pkInteger, "n", false);
        withSuffix.Suffix = QStringLiteral("сек");
        Build({Page("A", {Command("+P", true, true, 0, {Param(pkString, "s"), withSuffix}),
                          Command("+I", true, true, 2, {Param(pkHex, "h")})})});
        QWidget* group = B->Pages->FindControl(0, 0, 0, 0, crGroup);
        QCOMPARE(group->x(), 3);
        QCOMPARE(group->y(), 3);
        QCOMPARE(group->width(), 697);
        QWidget* sw = B->Pages->FindControl(0, 0, 0, 0, crSwitch);
        QCOMPARE(sw->x(), 8);
        QCOMPARE(sw->width(), 238);
        QWidget* editor = B->Pages->FindControl(0, 0, 0, 1, crEditor);
        QCOMPARE(editor->x(), 255);
        QCOMPARE(editor->width(), 340);
        auto* label =
            qobject_cast<QLabel*>(DirectChildren<QLabel>(group).at(1)); // after the command name
        QCOMPARE(label->text(), QStringLiteral("n"));
        QCOMPARE(label->x(), 25);
        QCOMPARE(label->width(), 221);
        QCOMPARE(label->y(), editor->y());
        const QLabel* suffix = DirectChildren<QLabel>(group).at(2);
        QCOMPARE(suffix->text(), QStringLiteral("сек"));
        QCOMPARE(suffix->pos(), QPoint(255 + 340 + 8, editor->y()));
        QCOMPARE(Tag(suffix), MakeTag(0, 0, 1));

        const QList<QPushButton*> buttons = DirectChildren<QPushButton>(group);
        QCOMPARE(buttons[0]->x(), 8);
        QCOMPARE(buttons[0]->width(), 102);
        QCOMPARE(buttons[1]->x(), 119);
        QCOMPARE(buttons[1]->width(), 102);

        QWidget* indexed = B->Pages->FindControl(0, 1, 0, 0, crGroup);
        QCOMPARE(indexed->y(), group->geometry().bottom() + 1 + 8);
        QGroupBox* row = DirectChildren<QGroupBox>(indexed).first();
        QCOMPARE(row->x(), 3);
        QCOMPARE(row->width(), 680);
        QWidget* rowApply = B->Pages->FindControl(0, 1, 0, 0, crButton);
        QCOMPARE(rowApply->parentWidget(), row);
        QCOMPARE(rowApply->x(), 8);
        QCOMPARE(rowApply->width(), 68);
        QCOMPARE(row->height(), rowApply->geometry().bottom() + 1 + 8);
        QCOMPARE(B->Pages->FindControl(0, 1, 1, 0, crEditor)->pos(), QPoint(255, kUnit));

        const QList<QPushButton*> pageButtons =
            DirectChildren<QPushButton>(B->Pages->PageScrollBox(0));
        QCOMPARE(pageButtons[0]->x(), 8);
        QCOMPARE(pageButtons[0]->width(), 119);
        QCOMPARE(pageButtons[1]->x(), 136);
        QCOMPARE(pageButtons[1]->width(), 119);
    }

    void verticalPositionsRunDownThePage_data() {
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("w");
        QTest::newRow("96 dpi") << kUnit << kUnit;
        QTest::newRow("tall unit") << 23 << 19;
        QTest::newRow("wide unit") << 16 << 21;
    }
    void verticalPositionsRunDownThePage() {
        QFETCH(int, h);
        QFETCH(int, w);
        DevCommands = {Page("A", {Command("+P", true, true, 0,
                                          {Param(pkString, "s"), Param(pkInteger, "n", false)}),
                                  Command("+I", true, false, 2, {Param(pkHex, "h")}),
                                  Command("+N", false, false, 0, {Param(pkString, "t")})})};
        B->Pages->H = h;
        B->Pages->W = w;
        B->Build();
        const int gap = h / 5;   // vertical
        const int half = h / 2;  // vertical
        const int left = w / 5;  // horizontal
        const int inset = w / 2; // horizontal
        const auto bottom = [](const QWidget* w) { return w->y() + w->height(); };

        // Plain command: name label, then one row per parameter.
        QWidget* plain = B->Pages->FindControl(0, 0, 0, 0, crGroup);
        QCOMPARE(plain->geometry(), QRect(left, gap, 41 * w, plain->height()));
        const QLabel* name = DirectChildren<QLabel>(plain).first();
        QCOMPARE(name->pos(), QPoint(inset, h));
        QWidget* sw = B->Pages->FindControl(0, 0, 0, 0, crSwitch);
        QWidget* first = B->Pages->FindControl(0, 0, 0, 0, crEditor);
        QCOMPARE(first->geometry().topLeft(), QPoint(15 * w, gap + bottom(name)));
        QCOMPARE(sw->y(), first->y());
        QCOMPARE(first->width(), 20 * w);
        QWidget* second = B->Pages->FindControl(0, 0, 0, 1, crEditor);
        QCOMPARE(second->y(), first->y() + qMax(sw->height(), first->height()) + half);
        const QLabel* label = DirectChildren<QLabel>(plain).at(1);
        QCOMPARE(label->pos(), QPoint(w + inset, second->y()));
        const int buttonsTop = second->y() + qMax(label->height(), second->height()) + half;
        const QList<QPushButton*> buttons = DirectChildren<QPushButton>(plain);
        QCOMPARE(buttons.size(), 2);
        QCOMPARE(buttons[0]->geometry().topLeft(), QPoint(inset, buttonsTop));
        QCOMPARE(buttons[1]->geometry().topLeft(), QPoint(7 * w, buttonsTop));
        QCOMPARE(plain->height(), bottom(buttons[1]) + half);

        // Indexed command: row boxes a fifth apart, the command button below.
        QWidget* indexed = B->Pages->FindControl(0, 1, 0, 0, crGroup);
        QCOMPARE(indexed->y(), bottom(plain) + half);
        const QLabel* indexedName = DirectChildren<QLabel>(indexed).first();
        const QList<QGroupBox*> rows = DirectChildren<QGroupBox>(indexed);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0]->geometry().topLeft(), QPoint(left, gap + bottom(indexedName)));
        QCOMPARE(rows[1]->y(), gap + bottom(rows[0]));
        QCOMPARE(rows[1]->width(), 40 * w);
        QWidget* rowEditor = B->Pages->FindControl(0, 1, 1, 0, crEditor);
        QWidget* rowSwitch = B->Pages->FindControl(0, 1, 1, 0, crSwitch);
        QCOMPARE(rowEditor->y(), h);
        QWidget* rowApply = B->Pages->FindControl(0, 1, 1, 0, crButton);
        QCOMPARE(rowApply->geometry().topLeft(),
                 QPoint(inset, h + qMax(rowSwitch->height(), rowEditor->height()) + half));
        QCOMPARE(rowApply->width(), 4 * w);
        QCOMPARE(rows[1]->height(), bottom(rowApply) + half);
        const QList<QPushButton*> applyAll = DirectChildren<QPushButton>(indexed);
        QCOMPARE(applyAll.size(), 1);
        QCOMPARE(applyAll[0]->geometry().topLeft(), QPoint(inset, bottom(rows[1]) + half));
        QCOMPARE(indexed->height(), bottom(applyAll[0]) + half);

        // No buttons: the group ends half a unit below its last row.
        QWidget* bare = B->Pages->FindControl(0, 2, 0, 0, crGroup);
        QCOMPARE(bare->y(), bottom(indexed) + half);
        QWidget* bareEditor = B->Pages->FindControl(0, 2, 0, 0, crEditor);
        QWidget* bareSwitch = B->Pages->FindControl(0, 2, 0, 0, crSwitch);
        QCOMPARE(bare->height(),
                 bareEditor->y() + qMax(bareSwitch->height(), bareEditor->height()) + half);

        const QList<QPushButton*> pageButtons =
            DirectChildren<QPushButton>(B->Pages->PageScrollBox(0));
        QCOMPARE(pageButtons.size(), 2);
        QCOMPARE(pageButtons[0]->geometry(),
                 QRect(inset, bottom(bare) + half, 7 * w, pageButtons[0]->height()));
        QCOMPARE(pageButtons[1]->geometry().topLeft(), QPoint(8 * w, bottom(bare) + half));
        B->Pages->H = kUnit;
        B->Pages->W = kUnit;
    }

    void findControlServesEveryRole() {
        Build({Page("A", {Command("+W", true, true, 0,
                                  {Param(pkInteger, "i"), Param(pkString, "s"), Param(pkHex, "h"),
                                   Options("1", {"0", "1"})}),
                          Command("+R", false, true, 0, {Param(pkString, "s")}),
                          Command("+I", true, false, 2, {Param(pkString, "s")})}),
               Page("B", {Command("+B", true, false, 0, {Param(pkString, "s", false)})})});
        QVERIFY(qobject_cast<QSpinBox*>(B->Pages->FindControl(0, 0, 0, 0, crEditor)));
        QVERIFY(B->Pages->FindControl(0, 0, 0, 1, crEditor)->metaObject() ==
                &QLineEdit::staticMetaObject);
        QVERIFY(qobject_cast<THexEdit*>(B->Pages->FindControl(0, 0, 0, 2, crEditor)));
        QVERIFY(qobject_cast<QComboBox*>(B->Pages->FindControl(0, 0, 0, 3, crEditor)));
        auto* sw = qobject_cast<QCheckBox*>(B->Pages->FindControl(0, 0, 0, 2, crSwitch));
        QVERIFY(sw);
        QCOMPARE(sw->text(), QStringLiteral("h"));
        QCOMPARE(Tag(sw), MakeTag(0, 0, 2));

        // Plain command: the first button of the row is the one found.
        auto* apply = qobject_cast<QPushButton*>(B->Pages->FindControl(0, 0, 0, 0, crButton));
        QCOMPARE(apply->text(), QStringLiteral("Применить"));
        auto* poll = qobject_cast<QPushButton*>(B->Pages->FindControl(0, 1, 0, 0, crButton));
        QCOMPARE(poll->text(), QStringLiteral("Получить"));
        // Indexed command: the row's own button, inside its row box.
        auto* rowApply = qobject_cast<QPushButton*>(B->Pages->FindControl(0, 2, 1, 0, crButton));
        QCOMPARE(rowApply->text(), QStringLiteral("Применить"));
        QCOMPARE(qobject_cast<QGroupBox*>(rowApply->parentWidget())->title(), QStringLiteral("#2"));
        QCOMPARE(B->Pages->FindControl(0, 2, 5, 0, crGroup),
                 B->Pages->FindControl(0, 2, 0, 0, crGroup));

        // Nothing for a missing page, command, row, parameter, or an unknown role.
        QVERIFY(!B->Pages->FindControl(2, 0, 0, 0, crGroup));
        QVERIFY(!B->Pages->FindControl(-1, 0, 0, 0, crGroup));
        QVERIFY(!B->Pages->FindControl(0, 3, 0, 0, crGroup));
        QVERIFY(!B->Pages->FindControl(0, 2, 2, 0, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 0, 0, 4, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 0, 0, 0, ControlRole(7)));
        QVERIFY(!B->Pages->FindControl(1, 0, 0, 0, crSwitch)); // not optional: a label, no switch

        // The page of a control is the tab it sits on.
        const TCmdAddress a = B->Pages->ControlAddress(B->Pages->FindControl(1, 0, 0, 0, crEditor));
        QCOMPARE(a.Page, 1);
        QCOMPARE(a.Command, 0);
        const TCmdAddress r = B->Pages->ControlAddress(rowApply);
        QCOMPARE(r.Page, 0);
        QCOMPARE(r.Command, 2);
        QCOMPARE(r.Row, 1);
        QCOMPARE(r.Param, 0);
        QObject stray;
        QCOMPARE(B->Pages->ControlAddress(&stray).Page, -1);
        QCOMPARE(B->Pages->ControlAddress(nullptr).Page, -1);
        QVERIFY(!B->Pages->FindControl(0, 0, 0, 1, crButton));
        QVERIFY(!B->Pages->FindControl(0, 0, 1, 0, crButton));

        // What was deleted since the pages were built is not found, nor
        // anything of a command the table no longer holds but its group.
        delete B->Pages->FindControl(0, 0, 0, 1, crEditor);
        QVERIFY(!B->Pages->FindControl(0, 0, 0, 1, crEditor));
        QVERIFY(B->Pages->FindControl(0, 0, 0, 2, crEditor));
        delete B->Pages->FindControl(0, 2, 0, 0, crGroup);
        QVERIFY(!B->Pages->FindControl(0, 2, 0, 0, crGroup));
        QVERIFY(!B->Pages->FindControl(0, 2, 1, 0, crButton));
        DevCommands[1].Commands.clear();
        QVERIFY(B->Pages->FindControl(1, 0, 0, 0, crGroup));
        QVERIFY(!B->Pages->FindControl(1, 0, 0, 0, crEditor));
    }

    void tagCodeLimitsAreKept() {
        // Parameter 256 would share its Tag with parameter 0: it is left out.
        QVector<TCmdParameter> many;
        for (int k = 0; k < kTagMaxParams + 4; ++k)
            many.append(Param(pkString, QStringLiteral("p%1").arg(k), false));
        Build(
            {Page("A", {Command("+MANY", true, false, 0, many),
                        Command("+ROWS", true, false, kTagMaxRows + 1, {Param(pkString, "r")})})});
        QVERIFY(B->Pages->FindControl(0, 0, 0, kTagMaxParams - 1, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 0, 0, kTagMaxParams, crEditor));
        QCOMPARE(B->Pages->FindControl(0, 0, 0, 0, crGroup)->findChildren<QLineEdit*>().size(),
                 kTagMaxParams);
        QVERIFY(B->Pages->FindControl(0, 1, kTagMaxRows - 1, 0, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 1, kTagMaxRows, 0, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 1, -1, 0, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 0, 0, -1, crEditor));
        QVERIFY(!B->Pages->FindControl(0, 70000, 0, 0, crGroup));
        const QString log = B->Log();
        QVERIFY(log.contains(QStringLiteral("Слишком много строк или параметров в команде +MANY")));
        QVERIFY(log.contains(QStringLiteral("Слишком много строк или параметров в команде +ROWS")));
    }

    void optionSelection_data() {
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<int>("selected");
        QTest::newRow("exact value") << "2" << QStringList({"0", "1", "2"}) << 2;
        QTest::newRow("first value") << "0" << QStringList({"0", "1", "2"}) << 0;
        QTest::newRow("no match takes the second") << "7" << QStringList({"0", "1", "2"}) << 1;
        QTest::newRow("letter case counts") << "a" << QStringList({"A", "b", "c"}) << 1;
        QTest::newRow("single option, no match") << "7" << QStringList({"0"}) << -1;
        QTest::newRow("single option, match") << "0" << QStringList({"0"}) << 0;
        QTest::newRow("no options") << "" << QStringList() << -1;
    }
    void optionSelection() {
        QFETCH(QString, defaultValue);
        QFETCH(QStringList, values);
        QFETCH(int, selected);
        Build({Page("A", {Command("+O", true, false, 0, {Options(defaultValue, values)})})});
        auto* combo = qobject_cast<QComboBox*>(B->Pages->FindControl(0, 0, 0, 0, crEditor));
        QVERIFY(combo);
        QVERIFY(!combo->isEditable());
        QCOMPARE(combo->count(), values.size());
        QCOMPARE(combo->currentIndex(), selected);
        if (!values.isEmpty())
            QCOMPARE(combo->itemText(0), QStringLiteral("Текст ") + values[0]);
    }

    void spinBoxBounds_data() {
        QTest::addColumn<qint64>("minValue");
        QTest::addColumn<qint64>("maxValue");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("value");
        QTest::newRow("within") << qint64(1) << qint64(3600) << "60" << 1 << 3600 << 60;
        QTest::newRow("above is clamped")
            << qint64(1) << qint64(3600) << "5000" << 1 << 3600 << 3600;
        QTest::newRow("not a number is 0, clamped")
            << qint64(10) << qint64(20) << "abc" << 10 << 20 << 10;
        QTest::newRow("equal bounds are unbounded")
            << qint64(5) << qint64(5) << "70000" << INT_MIN << INT_MAX << 70000;
        QTest::newRow("no bounds")
            << kIntegerMinDefault << kIntegerMaxDefault << "-7" << INT_MIN << INT_MAX << -7;
    }
    void spinBoxBounds() {
        QFETCH(qint64, minValue);
        QFETCH(qint64, maxValue);
        QFETCH(QString, defaultValue);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(int, value);
        TCmdParameter p = Param(pkInteger, "n");
        p.MinValue = minValue;
        p.MaxValue = maxValue;
        p.DefaultValue = defaultValue;
        Build({Page("A", {Command("+S", true, false, 0, {p})})});
        auto* spin = qobject_cast<QSpinBox*>(B->Pages->FindControl(0, 0, 0, 0, crEditor));
        QCOMPARE(spin->minimum(), low);
        QCOMPARE(spin->maximum(), high);
        QCOMPARE(spin->value(), value);
    }

    void integerEditorShowsPlainDigitsInAnyLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::newRow("Swedish minus sign") << "sv_SE";
        QTest::newRow("Persian digits") << "fa_IR";
        QTest::newRow("Russian group separator") << "ru_RU";
    }
    void integerEditorShowsPlainDigitsInAnyLocale() {
        QFETCH(QString, locale);
        // The window takes the operator's locale; its controls inherit it.
        const QLocale before = B->Window.locale();
        B->Window.setLocale(QLocale(locale));
        const auto restore = qScopeGuard([this, before] { B->Window.setLocale(before); });
        TCmdParameter p = Param(pkInteger, "n");
        p.DefaultValue = QStringLiteral("-12345");
        Build({Page("A", {Command("+L", true, true, 0, {p})})});
        auto* spin = qobject_cast<QSpinBox*>(B->Pages->FindControl(0, 0, 0, 0, crEditor));
        QVERIFY(spin);
        QCOMPARE(spin->text(), QStringLiteral("-12345"));
        SetEditorText(spin, QStringLiteral("7000"));
        QCOMPARE(EditorText(spin), QStringLiteral("7000"));
    }

    void editorsTakeLengthAndDefault() {
        TCmdParameter s = Param(pkString, "s");
        s.MaxLen = 4;
        s.DefaultValue = QStringLiteral("abcdef");
        TCmdParameter h = Param(pkHex, "h");
        h.MaxLen = 4;
        h.DefaultValue = QStringLiteral("0a1f");
        Build({Page("A", {Command("+E", true, false, 0, {s, h, Param(pkString, "u")})})});
        auto* edit = qobject_cast<QLineEdit*>(B->Pages->FindControl(0, 0, 0, 0, crEditor));
        QCOMPARE(edit->maxLength(), 4);
        QCOMPARE(edit->text(), QStringLiteral("abcd"));
        auto* hex = qobject_cast<THexEdit*>(B->Pages->FindControl(0, 0, 0, 1, crEditor));
        QCOMPARE(hex->text(), QStringLiteral("0A1F"));
        QCOMPARE(hex->Digits(), 4);
        auto* unlimited = qobject_cast<QLineEdit*>(B->Pages->FindControl(0, 0, 0, 2, crEditor));
        unlimited->setText(QString(1000, QLatin1Char('x')));
        QCOMPARE(unlimited->text().size(), 1000);
    }

    void editorsShowTheirHint() {
        TCmdParameter i = Param(pkInteger, "Период");
        i.MinValue = 1;
        i.MaxValue = 3600;
        TCmdParameter s = Param(pkString, "Имя");
        s.MaxLen = 32;
        TCmdParameter h = Param(pkHex, "Маска");
        h.MaxValue = 65535;
        Build({Page("A", {Command("+H", true, false, 0, {i, s, h})})});
        const QStringList rules = {"Число от 1 до 3600", "Строка до 32 символов",
                                   "Шестнадцатеричное число 8 символов до 0000FFFF(65535)"};
        const QStringList names = {"Период", "Имя", "Маска"};
        for (int k = 0; k < 3; ++k) {
            QWidget* editor = B->Pages->FindControl(0, 0, 0, k, crEditor);
            QCOMPARE(editor->toolTip(), names[k] + "\n" + rules[k]);
            QVERIFY(editor->statusTip().endsWith(rules[k]));
            QVERIFY(editor->statusTip().startsWith(names[k]));
        }
        // Pointing at an editor shows its hint in the window's status bar.
        QWidget* hex = B->Pages->FindControl(0, 0, 0, 2, crEditor);
        QEnterEvent enter(QPointF(5, 5), hex->mapTo(&B->Window, QPointF(5, 5)),
                          hex->mapToGlobal(QPointF(5, 5)));
        QApplication::sendEvent(hex, &enter);
        QVERIFY(B->Window.StatusTip.contains(rules[2]));
    }

    void labelAcceleratorFocusesItsEditor() {
        Build({Page("A", {Command("+L", true, false, 0,
                                  {Param(pkString, "Первый"), Param(pkString, "&Port", false)})})});
        QWidget* editor = B->Pages->FindControl(0, 0, 0, 1, crEditor);
        QLabel* label = nullptr;
        for (QLabel* l : DirectChildren<QLabel>(B->Pages->FindControl(0, 0, 0, 0, crGroup)))
            if (l->text() == QStringLiteral("&Port"))
                label = l;
        QVERIFY(label);
        QCOMPARE(label->buddy(), editor);
        QCOMPARE(Tag(label), MakeTag(0, 0, 1));
        // The optional parameter has its text on the switch and no label.
        for (QLabel* l : DirectChildren<QLabel>(B->Pages->FindControl(0, 0, 0, 0, crGroup)))
            QVERIFY(l->text() != QStringLiteral("Первый"));

        B->Pages->FindControl(0, 0, 0, 0, crEditor)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(QApplication::focusWidget(), editor);
    }

    void longDescriptionMakesTheRowTaller() {
        const QString longText = QStringLiteral(
            "Очень длинное описание параметра, которое никак не помещается в одну строку "
            "переключателя и потому переносится на несколько строк");
        Build({Page("A", {Command("+D", true, false, 0,
                                  {Param(pkString, longText), Param(pkString, "short")})})});
        QWidget* sw = B->Pages->FindControl(0, 0, 0, 0, crSwitch);
        QWidget* first = B->Pages->FindControl(0, 0, 0, 0, crEditor);
        QWidget* next = B->Pages->FindControl(0, 0, 0, 1, crEditor);
        QVERIFY(sw->height() > first->height());
        QVERIFY(sw->height() > 2 * kUnit);
        QCOMPARE(sw->width(), 14 * kUnit);
        QCOMPARE(next->y(), first->y() + sw->height() + kUnit / 2);
        // A short caption keeps at least the unit height.
        QVERIFY(B->Pages->FindControl(0, 0, 0, 1, crSwitch)->height() >= kUnit);
    }

    void switchesStartCheckedWithEditorsEnabled() {
        Build({Page("A",
                    {Command("+C", true, false, 2, {Param(pkString, "a"), Param(pkHex, "b")})})});
        for (int r = 0; r < 2; ++r)
            for (int k = 0; k < 2; ++k) {
                QVERIFY(qobject_cast<QCheckBox*>(B->Pages->FindControl(0, 0, r, k, crSwitch))
                            ->isChecked());
                QVERIFY(B->Pages->FindControl(0, 0, r, k, crEditor)->isEnabled());
            }
    }

    void disabledCommandIsGreyedButReadable() {
        Build(
            {Page("A", {Command("+X", true, true, 2, {Param(pkString, "a"), Param(pkInteger, "b")}),
                        Command("+Y", true, true, 0, {Param(pkString, "c")})})});
        auto* group = qobject_cast<QGroupBox*>(B->Pages->FindControl(0, 0, 0, 0, crGroup));
        auto* other = qobject_cast<QGroupBox*>(B->Pages->FindControl(0, 1, 0, 0, crGroup));
        const QFont normal = group->font();
        auto* sw = qobject_cast<QCheckBox*>(B->Pages->FindControl(0, 0, 1, 0, crSwitch));
        sw->setChecked(false);

        B->Pages->SetCommandEnabled(group, false);
        QVERIFY(!group->isEnabled());
        // Plain type, a fill of its own, text that reads well on it, and why.
        QVERIFY(!group->font().italic());
        QVERIFY(!group->font().strikeOut());
        QVERIFY(group->palette().color(QPalette::Window) !=
                other->palette().color(QPalette::Window));
        auto* editor = B->Pages->FindControl(0, 0, 0, 0, crEditor);
        const QPalette gp = group->palette();
        const QPalette ep = editor->palette();
        for (const double ratio : {Contrast(gp.color(QPalette::Disabled, QPalette::WindowText),
                                            gp.color(QPalette::Disabled, QPalette::Window)),
                                   Contrast(ep.color(QPalette::Disabled, QPalette::Text),
                                            ep.color(QPalette::Disabled, QPalette::Base))})
            QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
        QCOMPARE(group->toolTip(), QStringLiteral("Команда не поддерживается трекером"));
        for (QWidget* w : group->findChildren<QWidget*>())
            if (w->property("Tag").isValid())
                QVERIFY(!w->isEnabled());
        QVERIFY(other->isEnabled());
        QVERIFY(!other->font().strikeOut());

        B->Pages->SetCommandEnabled(group, true);
        QVERIFY(group->isEnabled());
        QCOMPARE(group->font(), normal);
        QVERIFY(group->toolTip().isEmpty());
        QCOMPARE(group->palette().color(QPalette::Window),
                 other->palette().color(QPalette::Window));
        QVERIFY(B->Pages->FindControl(0, 0, 0, 0, crEditor)->isEnabled());
        QVERIFY(B->Pages->FindControl(0, 0, 1, 1, crEditor)->isEnabled());
        // The unchecked switch keeps its editor off.
        QVERIFY(!B->Pages->FindControl(0, 0, 1, 0, crEditor)->isEnabled());
        QVERIFY(B->Pages->FindControl(0, 0, 0, 0, crButton)->isEnabled());
    }
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
