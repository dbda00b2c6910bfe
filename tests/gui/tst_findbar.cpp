#include "app/ParamFindBar.h"
#include "app/TfmMain.h"
#include "settings/Settings.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

// The search field of the main window over the shipped profile.

namespace {

QWidget* Located(TfmMain& fm, const TParamMatch& m) {
    if (m.Param >= 0)
        return fm.Pages->FindControl(m.Page, m.Command, 0, m.Param, crEditor);
    if (QWidget* editor = fm.Pages->FindControl(m.Page, m.Command, 0, 0, crEditor))
        return editor;
    return fm.Pages->FindControl(m.Page, m.Command, 0, 0, crGroup);
}

// The control lies inside the visible part of its page's scroll area.
bool InView(QWidget* control) {
    for (QWidget* p = control->parentWidget(); p; p = p->parentWidget()) {
        if (auto* area = qobject_cast<QScrollArea*>(p)) {
            const QRect shown = area->viewport()->rect();
            const QRect at(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
            return shown.contains(at);
        }
    }
    return false;
}

} // namespace

class TestFindBar : public QObject {
    Q_OBJECT
    QTemporaryDir FDir;

private Q_SLOTS:
    void initTestCase() { SetSettingsFolder(FDir.path()); }

    // Typing shows the first match with the keyboard kept in the field;
    // Enter walks on across pages and wraps round; a disabled page is
    // skipped; Escape hands the focus to the match shown.
    void findsAcrossPagesKeepingTheKeyboard() {
        TfmMain fm;
        fm.show();
        fm.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fm));
        QVERIFY(fm.PageControl1->count() > 2);
        const QString text = QStringLiteral("сервер");
        QVector<TParamMatch> expected;
        for (const TParamMatch& m : FindParameters(DevCommands, text))
            if (m.Page != 0)
                expected << m;
        // Matches on more than one page, none on the first page.
        QVERIFY(expected.size() >= 3);
        QVERIFY(expected.first().Page != expected.last().Page);

        fm.actFind->trigger();
        QVERIFY(fm.FindBar->isVisible());
        QVERIFY(fm.FindBar->Field->hasFocus());
        // Cyrillic cannot be typed as key clicks: the text is set as typing would.
        fm.FindBar->Field->setText(text.toUpper());
        for (int i = 0; i <= expected.size(); ++i) {
            const TParamMatch& m = expected[i % expected.size()];
            QCOMPARE(fm.PageControl1->currentIndex(), m.Page);
            QCOMPARE(fm.FindBar->CurrentControl(), Located(fm, m));
            QVERIFY(InView(fm.FindBar->CurrentControl()));
            QVERIFY(fm.FindBar->Field->hasFocus());
            QCOMPARE(fm.FindBar->Status->text(),
                     QStringLiteral("%1 из %2").arg(i % expected.size() + 1).arg(expected.size()));
            QTest::keyClick(fm.FindBar->Field, Qt::Key_Return);
        }

        // A page the settings disable is passed over.
        fm.PageControl1->setTabEnabled(expected.first().Page, false);
        fm.FindBar->Field->clear();
        fm.FindBar->Field->setText(text);
        QVERIFY(fm.PageControl1->currentIndex() != expected.first().Page);

        fm.FindBar->Field->setText(text + QStringLiteral("щщщ"));
        QCOMPARE(fm.FindBar->Status->text(), QStringLiteral("Не найдено"));
        QCOMPARE(fm.FindBar->CurrentControl(), nullptr);
        QVERIFY(fm.findChildren<QFrame*>(QStringLiteral("FindHighlight")).isEmpty());

        fm.PageControl1->setTabEnabled(expected.first().Page, true);
        fm.FindBar->Field->clear();
        QTest::keyClicks(fm.FindBar->Field, QStringLiteral("APN"));
        QWidget* shown = fm.FindBar->CurrentControl();
        QVERIFY(shown);
        QCOMPARE(fm.findChildren<QFrame*>(QStringLiteral("FindHighlight")).size(), 1);
        QTest::keyClick(fm.FindBar->Field, Qt::Key_Escape);
        QVERIFY(!fm.FindBar->isVisible());
        QVERIFY(shown->hasFocus());
        QVERIFY(fm.findChildren<QFrame*>(QStringLiteral("FindHighlight")).isEmpty());
    }
};

QTEST_MAIN(TestFindBar)
#include "tst_findbar.moc"
