#include "app/TAboutBox.h"
#include "settings/Settings.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kWatchdogMs = 5000;

void SendEnter(QWidget* widget) {
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), widget->mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(widget, &enter);
}

void SendLeave(QWidget* widget) {
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
}

// The panel the operator sees: the distributor's covers the developer's.
QWidget* SeenPanel(const TAboutBox& box) {
    return box.Panel2->isVisible() ? box.Panel2 : box.Panel1;
}

} // namespace

class tst_AboutBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void panelChosenByTrueCustomer_data();
    void panelChosenByTrueCustomer();
    void panelFollowsSettingsFile_data();
    void panelFollowsSettingsFile();
    void panelChosenAgainOnEveryShow();
    void modalBoxClosesWithDefaultOk();
    void boxCentredOnScreen();

    void linkTarget_data();
    void linkTarget();
    void linkClickOpensItsAddress();
    void plainLabelClickOpensNothing();
    void linksAreBoldAndBlue();
    void hoverUnderlinesOnEveryShow();

private:
    std::unique_ptr<TAboutBox> box;
    QStringList opened;
};

void tst_AboutBox::init() {
    TrueCustomer = false;
    opened.clear();
    TAboutBox::UrlOpener = [this](const QUrl& url) { opened.append(url.toString()); };
    box = std::make_unique<TAboutBox>();
}

void tst_AboutBox::cleanup() {
    box.reset();
    TAboutBox::UrlOpener = nullptr;
    TrueCustomer = false;
}

void tst_AboutBox::panelChosenByTrueCustomer_data() {
    QTest::addColumn<bool>("trueCustomer");
    QTest::newRow("distributor") << false;
    QTest::newRow("developer") << true;
}

void tst_AboutBox::panelChosenByTrueCustomer() {
    QFETCH(bool, trueCustomer);
    TrueCustomer = trueCustomer;
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));

    QCOMPARE(box->windowTitle(), QString::fromUtf8("О программе"));
    QCOMPARE(box->Version->text(), QStringLiteral("3.1.0"));
    QCOMPARE(box->lblVersion2->text(), QStringLiteral("3.1.0"));
    QCOMPARE(box->Panel1->isVisible(), true);
    QCOMPARE(box->Panel2->isVisible(), !trueCustomer);
    QCOMPARE(box->Panel1->isEnabled(), trueCustomer);
    QCOMPARE(box->Panel1->size(), box->Panel2->size());
    QCOMPARE(box->Panel1->geometry(), box->Panel2->geometry());
    if (trueCustomer) {
        QCOMPARE(SeenPanel(*box), box->Panel1);
        QCOMPARE(box->ProductName->text(), QStringLiteral("Velmora"));
        QVERIFY(box->lblEmail1->text().contains(QLatin1Char('@')));
        QVERIFY(box->lblEmail2->text().contains(QLatin1Char('@')));
    } else {
        QCOMPARE(SeenPanel(*box), box->Panel2);
        QCOMPARE(box->ProductName2->text(), QStringLiteral("Velmora"));
        QVERIFY(box->lblWeb->text().startsWith(QLatin1String("http://")));
        QCOMPARE(box->lblSupport->text(),
                 QString::fromUtf8("По вопросам технической поддержки обращаться"));
        QVERIFY(box->lblSupportEmail->text().contains(QLatin1Char('@')));
        QCOMPARE(box->lblCompany->text().count(QLatin1Char('\n')), 1);
        // The distributor's panel lies over the developer's.
        const QPoint centre = box->Panel1->geometry().center();
        QWidget* top = box->Panel1->parentWidget()->childAt(centre);
        QVERIFY(top == box->Panel2 || box->Panel2->isAncestorOf(top));
    }
}

void tst_AboutBox::panelFollowsSettingsFile_data() {
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("developer");
    QTest::newRow("no settings file") << QByteArray() << false;
    QTest::newRow("key set") << QByteArray("[Interface]\r\nTrueCustomer=1\r\n") << true;
    QTest::newRow("key cleared") << QByteArray("[Interface]\r\nTrueCustomer=0\r\n") << false;
}

void tst_AboutBox::panelFollowsSettingsFile() {
    QFETCH(QByteArray, ini);
    QFETCH(bool, developer);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    if (!ini.isEmpty()) {
        QFile file(dir.filePath(QString::fromLatin1(kSettingsFileName)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ini);
    }
    SetSettingsFolder(dir.path());
    TrueCustomer = !developer;
    LoadSettings();
    SetSettingsFolder(QString());

    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QCOMPARE(SeenPanel(*box), developer ? box->Panel1 : box->Panel2);
}

void tst_AboutBox::panelChosenAgainOnEveryShow() {
    box->show();
    QCOMPARE(SeenPanel(*box), box->Panel2);
    box->hide();

    TrueCustomer = true;
    box->show();
    QCOMPARE(SeenPanel(*box), box->Panel1);
    QVERIFY(box->Panel1->isEnabled());
    box->hide();

    TrueCustomer = false;
    box->show();
    QCOMPARE(SeenPanel(*box), box->Panel2);
    QVERIFY(!box->Panel1->isEnabled());
    QCOMPARE(box->Version->text(), QStringLiteral("3.1.0"));
}

void tst_AboutBox::modalBoxClosesWithDefaultOk() {
    QVERIFY(box->OKButton->isDefault());
    QCOMPARE(box->OKButton->text(), QStringLiteral("OK"));
    testkit::TModalDriver driver(nullptr, kWatchdogMs);
    TAboutBox* target = box.get();
    driver.AnswerOnce([target](QWidget* modal) {
        // Return presses the default button.
        if (modal == target)
            QTest::keyClick(target, Qt::Key_Return);
    });
    QCOMPARE(box->exec(), int(QDialog::Accepted));
    QVERIFY(driver.WatchdogClosed.isEmpty());
}

void tst_AboutBox::boxCentredOnScreen() {
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    const QRect screen = box->screen()->availableGeometry();
    const QPoint offset = box->frameGeometry().center() - screen.center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
}

void tst_AboutBox::linkTarget_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("url");
    QTest::newRow("web address as it is") << "http://www.example.com/velmora"
                                          << "http://www.example.com/velmora";
    QTest::newRow("e-mail gets mailto") << "support@example.com"
                                        << "mailto:support@example.com";
    QTest::newRow("capital HTTP is an e-mail address") << "HTTP://x"
                                                       << "mailto:HTTP://x";
    QTest::newRow("mixed case Http is an e-mail address") << "Http://example.com"
                                                          << "mailto:Http://example.com";
    QTest::newRow("https is not the seven characters") << "https://example.com"
                                                       << "mailto:https://example.com";
    QTest::newRow("shorter than the prefix") << "http:/"
                                             << "mailto:http:/";
}

void tst_AboutBox::linkTarget() {
    QFETCH(QString, text);
    QFETCH(QString, url);
    QCOMPARE(TAboutBox::LinkTarget(text).toString(), url);
}

void tst_AboutBox::linkClickOpensItsAddress() {
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QTest::mouseClick(box->lblWeb, Qt::LeftButton);
    QTest::mouseClick(box->lblSupportEmail, Qt::LeftButton);
    box->lblSupportEmail->setText(QStringLiteral("HTTP://upper.example.com"));
    QTest::mouseClick(box->lblSupportEmail, Qt::LeftButton);
    QCOMPARE(opened, (QStringList{box->lblWeb->text(),
                                  QStringLiteral("mailto:support@trackline.example.com"),
                                  QStringLiteral("mailto:HTTP://upper.example.com")}));

    opened.clear();
    box->hide();
    TrueCustomer = true;
    box->show();
    QTest::mouseClick(box->lblEmail1, Qt::LeftButton);
    QTest::mouseClick(box->lblEmail2, Qt::LeftButton);
    QCOMPARE(opened, (QStringList{QStringLiteral("mailto:") + box->lblEmail1->text(),
                                  QStringLiteral("mailto:") + box->lblEmail2->text()}));
}

void tst_AboutBox::plainLabelClickOpensNothing() {
    box->show();
    QTest::mouseClick(box->lblSupport, Qt::LeftButton);
    QTest::mouseClick(box->lblCompany, Qt::LeftButton);
    QTest::mouseClick(box->lblWeb, Qt::RightButton);
    QVERIFY(opened.isEmpty());
}

void tst_AboutBox::linksAreBoldAndBlue() {
    for (QLabel* link : {box->lblEmail1, box->lblEmail2, box->lblWeb, box->lblSupportEmail}) {
        QVERIFY(link->font().bold());
        QVERIFY(!link->font().underline());
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }
}

void tst_AboutBox::hoverUnderlinesOnEveryShow() {
    for (int show = 0; show < 2; ++show) {
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        for (QLabel* link : {box->lblWeb, box->lblSupportEmail, box->lblEmail1}) {
            SendEnter(link);
            QVERIFY2(link->font().underline(), qPrintable(link->text()));
            QVERIFY(link->font().bold());
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
            SendLeave(link);
            QVERIFY(!link->font().underline());
            QVERIFY(link->font().bold());
        }
        // Plain labels do not react.
        SendEnter(box->lblSupport);
        QVERIFY(!box->lblSupport->font().underline());
        box->hide();
    }
}

QTEST_MAIN(tst_AboutBox)
#include "tst_aboutbox.moc"
