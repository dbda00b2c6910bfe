#include "RegisterSamples.h"
#include "register/Register.h"
#include "register/RegisterUnitsModel.h"
#include "register/TfmRegister.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QUuid>
#include <QtTest>
#include <functional>

namespace {

constexpr int kUnits = 450;
constexpr int kModalPollMs = 10;
const QString kImei = QStringLiteral("861234567890123");

// Answers the next modal window once it is up.
void AnswerModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(kModalPollMs);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, answer] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

TRegisterEvent Event(const QString& unit, TRegisterAction action, int secondsIn) {
    TRegisterEvent e = SampleEvent(unit, action);
    e.Uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    e.Time = QDateTime(QDate(2024, 3, 1), QTime(8, 0), Qt::UTC).addSecs(secondsIn);
    e.Bench = QStringLiteral("bench-1");
    e.Operator = QStringLiteral("ivan");
    return e;
}

} // namespace

class TestRegisterWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Units come a page at a time and filter; a unit's events and an event's
    // changes show; a snapshot is saved byte for byte; a confirmed restore
    // asks the main window for it.
    void browsesSavesAndAsksToRestore() {
        QTemporaryDir dir;
        TRegister reg(SqliteLocation(dir.filePath("register.sqlite")), QString());
        QVector<TRegisterEvent> events;
        for (int i = 0; i < kUnits; ++i)
            events << Event(QStringLiteral("35%1").arg(i, 13, 10, QLatin1Char('0')), raRead, i);
        TRegisterEvent write = Event(kImei, raWrite, kUnits + 1);
        TRegisterEvent backup = Event(kImei, raBackup, kUnits);
        backup.Before = write.Before;
        write.Changes = {{"+SGDT", 0, 1, "Период, с", "30", "60"},
                         {"+SSRV", 1, 0, "Сервер", "a.example.com", "b.example.com"}};
        events << backup << write;
        QVERIFY(reg.Store() && reg.Store()->InsertAll(events));
        write.Number = events.last().Number;

        TfmRegister fm;
        fm.SetRegister(&reg);
        fm.show();
        QVERIFY(fm.lblStatus->text().isEmpty());
        int rows = fm.UnitsModel->rowCount();
        QVERIFY(rows > 0 && rows < kUnits);
        while (fm.UnitsModel->canFetchMore(QModelIndex()))
            fm.UnitsModel->fetchMore(QModelIndex());
        QCOMPARE(fm.UnitsModel->rowCount(), kUnits + 1);
        QCOMPARE(fm.UnitsModel->Unit(0)->Unit, kImei); // newest first

        QTest::keyClicks(fm.eFilter, QStringLiteral("0449"));
        QTRY_VERIFY(!fm.tmFilter->isActive());
        QCOMPARE(fm.UnitsModel->rowCount(), 1);
        fm.eFilter->setText(QStringLiteral("8612345"));
        QTRY_VERIFY(!fm.tmFilter->isActive());
        QCOMPARE(fm.UnitsModel->rowCount(), 1);
        QCOMPARE(fm.UnitsModel->Unit(0)->Unit, kImei);
        fm.Units->setCurrentIndex(fm.UnitsModel->index(0, 0));
        QCOMPARE(fm.Events->rowCount(), 2);
        QCOMPARE(fm.Events->item(0, TfmRegister::ecNumber)->text(), QString::number(write.Number));
        QCOMPARE(fm.Changes->rowCount(), 2);
        QCOMPARE(fm.Changes->item(1, TfmRegister::ccRow)->text(), QStringLiteral("#2"));
        QCOMPARE(fm.Changes->item(1, TfmRegister::ccOld)->text(), QStringLiteral("a.example.com"));
        QCOMPARE(fm.Changes->item(1, TfmRegister::ccNew)->text(), QStringLiteral("b.example.com"));

        const QString path = dir.filePath("after.zxml");
        fm.cbSnapshot->setCurrentIndex(TfmRegister::scAfter);
        AnswerModal([&](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog == fm.SaveDialog);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        fm.btnSaveSnapshot->click();
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), write.After);

        QSignalSpy restore(&fm, &TfmRegister::RestoreRequested);
        AnswerModal([](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            box->button(QMessageBox::Yes)->click();
        });
        fm.btnRestore->click();
        QCOMPARE(restore.count(), 1);
        QCOMPARE(restore.at(0).at(0).toLongLong(), write.Number);
        QCOMPARE(restore.at(0).at(1).toString(), kImei);

        // The backup holds only the values before: nothing after to save.
        fm.Events->setCurrentCell(1, 0);
        QCOMPARE(fm.Changes->rowCount(), 0);
        QVERIFY(!fm.btnSaveSnapshot->isEnabled());
        QVERIFY(fm.btnRestore->isEnabled());
    }
};

QTEST_MAIN(TestRegisterWindow)
#include "tst_registerwindow.moc"
