#include "e2e/LinkFixture.h"

#include <QProgressBar>
#include <QtTest>
#include <memory>

using namespace linktest;

namespace {
const QString kApplyPage = QStringLiteral("Применить страницу");
const QString kPollPage = QStringLiteral("Получить страницу");
const QString kMaster = QString::fromLatin1(kMasterPassword);
const QString kNotStored = QStringLiteral("Трекер не подтвердил запись в энергонезависимую память");

bool IsCodeLine(const QString& line) {
    return line == QString::fromLatin1(TTrackerSim::kAccessCode);
}

QStringList CommandLines(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines)
        if (!IsCodeLine(l))
            out << l;
    return out;
}

bool IsExitCommand(const TDevCommand& cmd) {
    return cmd.PollProcessorName.compare(QStringLiteral("exitcmd"), Qt::CaseInsensitive) == 0;
}

} // namespace

class TestPollApply : public QObject {
    Q_OBJECT
    std::unique_ptr<TLinkBench> B;

    void StartBench(const TIniOptions& o = {}, bool useLink = false) {
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start(o, useLink), qPrintable(B->Error));
        B->Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Ok); });
    }
    void StartLinkOnly() {
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start({}, false, THostKind::LinkOnly), qPrintable(B->Error));
    }
    QWidget* Ctl(const QString& name, int row, int param, ControlRole role) {
        const TCmdAddress a = Address(name);
        return B->Pages()->FindControl(a.Page, a.Command, row, param, role);
    }

private Q_SLOTS:
    void cleanup() { EndBench(B); }

    void valueListFollowsSwitchesAndRows_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("switchOff"); // -1: none
        QTest::addColumn<bool>("unselect");
        QTest::addColumn<QString>("list");
        QTest::newRow("all on") << "+TSTA" << 0 << -1 << false << "abc,5,1,keep,";
        QTest::newRow("first off") << "+TSTA" << 0 << 0 << false << ",5,1,keep,";
        QTest::newRow("middle off") << "+TSTA" << 0 << 1 << false << "abc,,1,keep,";
        QTest::newRow("last off") << "+TSTA" << 0 << 3 << false << "abc,5,1,,";
        QTest::newRow("no option selected") << "+TSTA" << 0 << -1 << true << "abc,5,,keep,";
        QTest::newRow("indexed row 1") << "+TSTI" << 0 << -1 << false << "1,0,-,";
        QTest::newRow("indexed row 3") << "+TSTI" << 2 << 1 << false << "3,0,,";
    }
    void valueListFollowsSwitchesAndRows() {
        QFETCH(QString, command);
        QFETCH(int, row);
        QFETCH(int, switchOff);
        QFETCH(bool, unselect);
        QFETCH(QString, list);
        StartLinkOnly();
        B->UseProfile(QByteArray(kTestProfile));
        if (switchOff >= 0)
            SetSwitchChecked(Ctl(command, row, switchOff, crSwitch), false);
        if (unselect)
            SelectOption(Ctl(command, row, 2, crEditor), -1);
        const TCmdAddress a = Address(command);
        QCOMPARE(B->Link()->BuildParameterList(a.Page, a.Command, row), list);
    }

    void applyPageSendsDueRowsExactly() {
        StartBench();
        B->UseProfile(QByteArray(kTestProfile));
        // +TSTA all off: a gsAuto row without values is skipped. +TSTI row 2
        // all off: skipped, rows 1 and 3 go. +TSTN all off: its mandatory
        // parameter keeps it. +TSTY all off: sent as commas. +TSTG: never.
        for (int p = 0; p < 4; ++p)
            SetSwitchChecked(Ctl("+TSTA", 0, p, crSwitch), false);
        for (int p = 0; p < 2; ++p)
            SetSwitchChecked(Ctl("+TSTI", 1, p, crSwitch), false);
        SetSwitchChecked(Ctl("+TSTN", 0, 1, crSwitch), false);
        SetSwitchChecked(Ctl("+TSTY", 0, 0, crSwitch), false);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        QPushButton* button = PageButton(Address("+TSTA").Page, kApplyPage);
        QVERIFY(button);
        fmMain->CmdApplyAllClick(button);
        const QString m = kMaster;
        const QString u = QString::fromLatin1(kUserPassword);
        QCOMPARE(
            CommandLines(B->Sim.ReceivedLines()),
            QStringList({"AT+TSTI=" + m + ",1,0,-,", "AT+TSTI=" + m + ",3,0,-,",
                         "AT+TSTN=" + m + ",n,,", "AT+TSTY=" + m + ",,", "AT+PWA0=" + m + ",1,",
                         "AT+PWA1=" + m + ",1,", "AT+PWA2=" + u + ",1,", "AT+PWA3=" + u + ",1,"}));
        // Every row counts on the bar, sent or not.
        QCOMPARE(fmMain->ProgressBar1->maximum(), 1 + 3 + 1 + 1 + 1 + 4);
        QCOMPARE(fmMain->ProgressBar1->value(), fmMain->ProgressBar1->maximum());
    }

    void applyAllRowsSendsEveryRow() {
        StartBench();
        B->UseProfile(QByteArray(kTestProfile));
        for (int p = 0; p < 2; ++p)
            SetSwitchChecked(Ctl("+TSTI", 1, p, crSwitch), false);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        fmMain->CmdApplyAllIndexedClick(Ctl("+TSTI", 0, 0, crGroup));
        const QString m = kMaster;
        QCOMPARE(CommandLines(B->Sim.ReceivedLines()),
                 QStringList({"AT+TSTI=" + m + ",1,0,-,", "AT+TSTI=" + m + ",2,,,",
                              "AT+TSTI=" + m + ",3,0,-,"}));
        QCOMPARE(fmMain->ProgressBar1->maximum(), 3);
        QCOMPARE(fmMain->ProgressBar1->value(), 3);
    }

    void applyAllRowsKeepsRowsStillToBeWritten() {
        StartBench();
        // The device answers a row write with every row it holds; the rows
        // not yet written must not take its old values before their turn.
        const QString cmd = QStringLiteral("+SSMS");
        for (int r = 0; r < 3; ++r) {
            QVERIFY(B->Sim.SetValue(cmd, r, 0, QStringLiteral("old%1").arg(r)));
            SetEditorText(Ctl(cmd, r, 0, crEditor), QStringLiteral("new%1").arg(r));
        }
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        fmMain->CmdApplyAllIndexedClick(Ctl(cmd, 0, 0, crGroup));
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(B->Sim.Value(cmd, r, 0), QStringLiteral("new%1").arg(r));
            QCOMPARE(EditorText(Ctl(cmd, r, 0, crEditor)), QStringLiteral("new%1").arg(r));
        }
    }

    void readPageFillsEveryEditorFromDevice() {
        StartBench();
        QVERIFY(B->Link()->EnterCommandMode());
        int checked = 0;
        for (int page = 0; page < DevCommands.size(); ++page) {
            const TCmdPage& pg = DevCommands[page];
            // Give the device values the editors do not show yet.
            for (int c = 0; c < pg.Commands.size(); ++c) {
                const TDevCommand& cmd = pg.Commands[c];
                if (!cmd.PollData || IsExitCommand(cmd))
                    continue;
                for (int r = 0; r < cmd.RowCount(); ++r)
                    for (int k = 0; k < cmd.Parameters.size(); ++k) {
                        QWidget* ed = B->Pages()->FindControl(page, c, r, k, crEditor);
                        const QString now = EditorValue(cmd.Parameters[k], ed);
                        B->Sim.SetValue(cmd.CommandName, r, k,
                                        DistinctValue(cmd.Parameters[k], r, k, now));
                    }
            }
            QPushButton* button = PageButton(page, kPollPage);
            QVERIFY(button);
            fmMain->CmdPollAllClick(button);
            QCOMPARE(fmMain->ProgressBar1->maximum(), int(pg.Commands.size()));
            QCOMPARE(fmMain->ProgressBar1->value(), int(pg.Commands.size()));
            for (int c = 0; c < pg.Commands.size(); ++c) {
                const TDevCommand& cmd = pg.Commands[c];
                if (!cmd.PollData || IsExitCommand(cmd))
                    continue;
                for (int r = 0; r < cmd.RowCount(); ++r)
                    for (int k = 0; k < cmd.Parameters.size(); ++k) {
                        if (!cmd.Parameters[k].Overwrite)
                            continue;
                        QWidget* ed = B->Pages()->FindControl(page, c, r, k, crEditor);
                        QVERIFY(ed);
                        const QString want = B->Sim.Value(cmd.CommandName, r, k);
                        QVERIFY2(EditorValue(cmd.Parameters[k], ed) == want,
                                 qPrintable(cmd.CommandName + "/" + QString::number(r) + "/" +
                                            QString::number(k) + ": " +
                                            EditorValue(cmd.Parameters[k], ed) + " != " + want));
                        ++checked;
                    }
            }
        }
        QVERIFY(checked > 0);
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
        QVERIFY(!B->Log().contains(QStringLiteral("Некорректный ответ")));
        QVERIFY(B->Driver->Boxes.isEmpty());
    }

    void writePageOfShippedProfileIsAccepted() {
        StartBench();
        QVERIFY(B->Link()->EnterCommandMode());
        // The first page with a writable command that stays in command mode.
        int page = -1;
        for (int p = 0; p < DevCommands.size() && page < 0; ++p)
            for (const TDevCommand& cmd : DevCommands[p].Commands)
                if (cmd.SetData && cmd.GroupSetData != gsNo && !IsExitCommand(cmd) &&
                    !cmd.Parameters.isEmpty())
                    page = p;
        if (page < 0)
            QSKIP("no writable page");
        B->Sim.ClearReceived();
        fmMain->CmdApplyAllClick(PageButton(page, kApplyPage));
        QVERIFY(B->Driver->Boxes.isEmpty());
        QVERIFY(!B->Log().contains(QStringLiteral("Процесс прерван")));
        const QStringList lines = CommandLines(B->Sim.ReceivedLines());
        QVERIFY(!lines.isEmpty());
        for (const TDevCommand& cmd : DevCommands[page].Commands) {
            const QString head = "AT" + cmd.CommandName + "=";
            const int sent =
                lines.filter(QRegularExpression("^" + QRegularExpression::escape(head))).size();
            if (!cmd.SetData || cmd.GroupSetData == gsNo)
                QCOMPARE(sent, 0);
            else if (cmd.GroupSetData == gsYes)
                QCOMPARE(sent, cmd.RowCount());
        }
        for (const QString& l : lines) {
            QVERIFY2(l.endsWith(QLatin1Char(',')), qPrintable(l));
            QVERIFY(!B->Log().contains(l)); // the log has "*" for the password
        }
    }

    void unsupportedCommandIsSkippedByPageOperations() {
        StartBench();
        TCmdAddress target{-1, 0, 0, 0};
        for (int p = 0; p < DevCommands.size() && target.Page < 0; ++p)
            for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
                const TDevCommand& cmd = DevCommands[p].Commands[c];
                if (cmd.PollData && cmd.SetData && cmd.GroupSetData != gsNo &&
                    !IsExitCommand(cmd)) {
                    target = {p, c, 0, 0};
                    break;
                }
            }
        if (target.Page < 0)
            QSKIP("no readable and writable command");
        const QString name = Command(target).CommandName;
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetUnsupported(name, true);
        QWidget* group = B->Pages()->FindControl(target.Page, target.Command, 0, 0, crGroup);
        fmMain->CmdPollClick(group);
        QVERIFY(!group->isEnabledTo(group->parentWidget()));
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
        B->Sim.ClearReceived();
        fmMain->CmdPollAllClick(PageButton(target.Page, kPollPage));
        fmMain->CmdApplyAllClick(PageButton(target.Page, kApplyPage));
        const QString head = "AT" + name + "=";
        for (const QString& l : B->Sim.ReceivedLines())
            QVERIFY2(!l.startsWith(head), qPrintable(l));
    }

    void readPageWithUnrecognisedAnswersGoesToTheEnd() {
        TIniOptions o;
        o.RetryCount = 1;
        o.Timeout = 80;
        o.TimeoutInterval = 80;
        o.TimeoutEcho = 80;
        StartBench(o);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetGarbage(TTrackerSim::gmInstead);
        const TCmdPage& pg = DevCommands[0];
        int readable = 0;
        for (const TDevCommand& cmd : pg.Commands)
            readable += cmd.PollData ? 1 : 0;
        B->Sim.ClearReceived();
        fmMain->CmdPollAllClick(PageButton(0, kPollPage));
        QCOMPARE(fmMain->ProgressBar1->value(), fmMain->ProgressBar1->maximum());
        QCOMPARE(CommandLines(B->Sim.ReceivedLines()).size(), readable);
        QVERIFY(!B->Log().contains(QStringLiteral("Процесс прерван")));
    }

    void readPageStopsAtFirstFailedCommand() {
        TIniOptions o;
        o.RetryCount = 1;
        StartBench(o, true);
        int page = -1;
        for (int p = 0; p < DevCommands.size() && page < 0; ++p) {
            int readable = 0;
            for (const TDevCommand& cmd : DevCommands[p].Commands)
                readable += cmd.PollData && !IsExitCommand(cmd) ? 1 : 0;
            if (readable >= 2)
                page = p;
        }
        if (page < 0)
            QSKIP("no page with two readable commands");
        QVERIFY(B->Link()->EnterCommandMode());
        B->Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Cancel); });
        B->Sim.VanishAfter(1);
        fmMain->CmdPollAllClick(PageButton(page, kPollPage));
        int second = -1, seen = 0;
        const auto& cmds = DevCommands[page].Commands;
        for (int c = 0; c < cmds.size() && second < 0; ++c)
            if (cmds[c].PollData && ++seen == 2)
                second = c;
        QCOMPARE(B->LogCount("]Процесс прерван на команде " + cmds[second].CommandName), 1);
        QCOMPARE(fmMain->ProgressBar1->value(), second);
        QVERIFY(!B->Link()->InCommandMode);
    }

    // A reconnect dialog cancelled on the first command ends the page read;
    // it is not offered again for every further command.
    void readPageStopsWhenReconnectIsCancelled() {
        StartBench({}, true);
        TCmdAddress a{-1, 0, 0, 0};
        for (int p = 0; p < DevCommands.size() && a.Page < 0; ++p)
            for (int c = 0; c < DevCommands[p].Commands.size() && a.Page < 0; ++c)
                if (DevCommands[p].Commands[c].PollData)
                    a = {p, c, 0, 0};
        QVERIFY(a.Page >= 0);
        QVERIFY(B->Link()->EnterCommandMode());
        int dialogs = 0;
        B->Driver->SetHandler([&dialogs](QWidget* modal, qint64) {
            if (modal != static_cast<QWidget*>(fmDeviceReconnect))
                return false;
            ++dialogs;
            fmDeviceReconnect->btnCancel->click();
            return true;
        });
        B->Sim.Vanish();
        B->Link()->ComPort1->Close();
        fmMain->CmdPollAllClick(PageButton(a.Page, kPollPage));
        QCOMPARE(dialogs, 1);
        QCOMPARE(B->LogCount("]Процесс прерван на команде " + Command(a).CommandName), 1);
    }

    void applyPageStopsWithCommandAndRow() {
        TIniOptions o;
        o.RetryCount = 1;
        StartBench(o, true);
        B->UseProfile(QByteArray(kTestProfile));
        QVERIFY(B->Link()->EnterCommandMode());
        B->Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Cancel); });
        B->Sim.VanishAfter(1);
        fmMain->CmdApplyAllClick(PageButton(Address("+TSTA").Page, kApplyPage));
        // +TSTA row 0 is answered; +TSTI row 0 is the first that fails.
        QCOMPARE(B->LogCount(QStringLiteral("]Процесс прерван на команде +TSTI/0")), 1);
        QCOMPARE(fmMain->ProgressBar1->value(), 1);
    }

    void applyAllRowsStopsAtIndex() {
        TIniOptions o;
        o.RetryCount = 1;
        StartBench(o, true);
        B->UseProfile(QByteArray(kTestProfile));
        QVERIFY(B->Link()->EnterCommandMode());
        B->Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Cancel); });
        B->Sim.VanishAfter(1);
        fmMain->CmdApplyAllIndexedClick(Ctl("+TSTI", 0, 0, crGroup));
        QCOMPARE(B->LogCount(QStringLiteral("]Процесс прерван на индексе 1")), 1);
        QCOMPARE(fmMain->ProgressBar1->value(), 1);
    }

    void storeToFlashUsesProfileCommand() {
        StartBench();
        if (FindCommand(QStringLiteral("+SAVE")).Page < 0)
            QSKIP("the shipped profile has no +SAVE");
        QVERIFY(B->Link()->EnterCommandMode());
        fmMain->Storesettingsintoflash1Click();
        QCOMPARE(B->Sim.FlashSaveCount(), 1);
        QVERIFY(!B->Log().contains(QStringLiteral("Команда +SAVE не описана!")));
        QVERIFY(!B->Log().contains(kMaster));
        QVERIFY(!B->Log().contains(kNotStored));
        // A store the tracker refuses is not taken for one.
        B->Sim.SetUnsupported(QStringLiteral("+SAVE"), true);
        fmMain->Storesettingsintoflash1Click();
        QCOMPARE(B->LogCount(QLatin1Char(']') + kNotStored), 1);
    }

    void storeToFlashWithoutProfileCommandSendsBuiltInLine() {
        StartBench();
        B->UseProfile(ProfileWithout(QStringLiteral("+SAVE")));
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        fmMain->Storesettingsintoflash1Click();
        QCOMPARE(B->LogCount(QStringLiteral("]Команда +SAVE не описана!")), 1);
        QCOMPARE(B->Sim.ReceivedLines(), QStringList{"AT+SAVE=" + kMaster + ","});
        QCOMPARE(B->LogCount(QStringLiteral(">AT+SAVE=*,")), 1);
        QCOMPARE(B->Sim.FlashSaveCount(), 1);
        QVERIFY(!B->Log().contains(kNotStored));
        // Nor is one it does not answer.
        B->Sim.SetMute(QStringLiteral("+SAVE"), true);
        fmMain->Storesettingsintoflash1Click();
        QCOMPARE(B->LogCount(QLatin1Char(']') + kNotStored), 1);
    }

    void storeToFlashOutsideCommandModeDoesNothing() {
        StartBench();
        fmMain->Storesettingsintoflash1Click();
        QTest::qWait(100);
        QVERIFY(B->Sim.ReceivedBytes().isEmpty());
        QCOMPARE(B->Sim.FlashSaveCount(), 0);
        QVERIFY(!fmWaitingData->isVisible());
    }
};

QTEST_MAIN(TestPollApply)
#include "tst_pollapply.moc"
