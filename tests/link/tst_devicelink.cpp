// The device link with no window at all: a recording host, a value table and
// the simulated tracker on its pty.

#include "TrackerSim.h"
#include "config/ConfigFile.h"
#include "config/ParamValueTable.h"
#include "link/ComPort.h"
#include "link/DeviceLink.h"
#include "link/ResponseRoutines.h"
#include "ops/CommandRead.h"
#include "ops/IdentityRead.h"
#include "profile/ProfileLoader.h"
#include "support/ProfileBuilders.h"
#include "support/RecordingLinkHost.h"
#include "support/TestProfile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace testkit;

namespace {

constexpr char kUser[] = "2222";
constexpr char kMaster[] = "9981";
constexpr int kTimeoutMs = 250;
constexpr int kEntryTimeoutMs = kUnattendedEntryMs;

} // namespace

class TestDeviceLink : public QObject {
    Q_OBJECT
    std::unique_ptr<TTrackerSim> Sim;
    std::unique_ptr<TRecordingHost> Host;
    std::unique_ptr<TParamValueTable> Values;
    std::unique_ptr<TDeviceLink> Link;

    void Start(int retries = 3) {
        Sim = std::make_unique<TTrackerSim>();
        LoadCommandProfileFromData(QByteArray(kTestProfile));
        QVERIFY(FindCommand(QStringLiteral("+TSTA")).Page >= 0);
        QVERIFY2(Sim->StartWithCurrentProfile(), qPrintable(Sim->ErrorText()));
        Sim->SetPasswords(QString::fromLatin1(kUser), QString::fromLatin1(kMaster));
        TLinkSettings s;
        s.Port = Sim->SlavePath();
        s.Timeout = s.TimeoutInterval = s.TimeoutEcho = kTimeoutMs;
        s.RetryCount = retries;
        s.Password = QString::fromLatin1(kUser);
        s.MasterPassword = QString::fromLatin1(kMaster);
        Host = std::make_unique<TRecordingHost>();
        Values = std::make_unique<TParamValueTable>();
        Link = std::make_unique<TDeviceLink>();
        Link->SetHost(Host.get());
        Link->SetValues(Values.get());
        Link->ApplySettings(s);
    }
    void Enter() {
        QVERIFY(Link->EnterCommandMode());
        QVERIFY(Sim->InCommandMode());
        Sim->ClearReceived();
    }
    QString Wire(const QString& name, int row, int param) const {
        TCmdAddress a = Address(name, row);
        a.Param = param;
        return Values->WireText(a);
    }
    // A fault of the simulated tracker: short (by missing fields), mute,
    // unsupported, password (the tracker knows other passwords).
    void SetFault(const QString& command, const QString& fault, int missing) {
        if (fault == QLatin1String("short"))
            Sim->SetShortAnswers(command, missing);
        else if (fault == QLatin1String("mute"))
            Sim->SetMute(command, true);
        else if (fault == QLatin1String("unsupported"))
            Sim->SetUnsupported(command, true);
        else if (fault == QLatin1String("password"))
            Sim->SetPasswords(QStringLiteral("7777"), QStringLiteral("8888"));
    }
    void SetWire(const QString& name, int row, int param, const QString& text) {
        TCmdAddress a = Address(name, row);
        a.Param = param;
        Values->SetWireText(a, text);
    }

private Q_SLOTS:
    void cleanup() {
        Link.reset();
        if (Sim)
            Sim->Stop();
        Sim.reset();
    }

    // Every routine by its profile name in any case; any other name, or
    // none, gets the default routine.
    void responseRoutinesByName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("routine");
        QTest::newRow("nonpoll") << "nonpoll"
                                 << "nonpoll";
        QTest::newRow("NonPoll") << "NonPoll"
                                 << "nonpoll";
        QTest::newRow("exitcmd") << "exitcmd"
                                 << "exitcmd";
        QTest::newRow("EXITCMD") << "EXITCMD"
                                 << "exitcmd";
        QTest::newRow("empty") << ""
                               << "default";
        QTest::newRow("unknown") << "Mystery"
                                 << "default";
        QTest::newRow("near miss") << "exitcmd "
                                   << "default";
    }
    void responseRoutinesByName() {
        QFETCH(QString, name);
        QFETCH(QString, routine);
        const QHash<QString, TResponseRoutine> expected = {
            {QStringLiteral("default"), &TDeviceLink::DefaultProcessor},
            {QStringLiteral("nonpoll"), &TDeviceLink::NonPollProcessor},
            {QStringLiteral("exitcmd"), &TDeviceLink::ExitCmdProcessor},
        };
        QVERIFY(FindResponseRoutine(name) == expected.value(routine));
    }

    void entersUnattendedAndReadsIntoTable() {
        Start();
        Enter();
        QVERIFY(Host->StateChanges > 0);
        QVERIFY(Sim->SetValue(QStringLiteral("+TSTA"), 0, 0, QStringLiteral("hello")));
        QVERIFY(Sim->SetValue(QStringLiteral("+TSTA"), 0, 1, QStringLiteral("77")));
        QVERIFY(Sim->SetValue(QStringLiteral("+TSTA"), 0, 2, QStringLiteral("2")));
        QVERIFY(Link->PollOne(Address(QStringLiteral("+TSTA"))));
        QCOMPARE(Sim->ReceivedLines(), QStringList{QStringLiteral("AT+TSTA=?")});
        QCOMPARE(Wire("+TSTA", 0, 0), QStringLiteral("hello"));
        QCOMPARE(Wire("+TSTA", 0, 1), QStringLiteral("77"));
        QCOMPARE(Wire("+TSTA", 0, 2), QStringLiteral("2"));
        // Overwrite off: the table keeps its own value.
        QCOMPARE(Wire("+TSTA", 0, 3), QStringLiteral("keep"));
    }

    // The entry and every read end on the prompt only with the setting on,
    // and a prompt that comes late is still waited for.
    void answersEndOnThePromptAsSet_data() {
        QTest::addColumn<bool>("endOnPrompt");
        QTest::addColumn<int>("promptPauseMs");
        QTest::newRow("on") << true << 0;
        QTest::newRow("off") << false << 0;
        QTest::newRow("on, late prompt") << true << kTimeoutMs / 2;
    }
    void answersEndOnThePromptAsSet() {
        QFETCH(bool, endOnPrompt);
        QFETCH(int, promptPauseMs);
        Start();
        TLinkSettings s = Link->LinkSettings();
        s.EndOnPrompt = endOnPrompt;
        Link->ApplySettings(s);
        Sim->SetPromptPause(promptPauseMs);
        Enter();
        QCOMPARE(Link->ComPort1->EndedOnPrompt(), endOnPrompt);

        QVERIFY(Sim->SetValue(QStringLiteral("+TSTA"), 0, 0, QStringLiteral("late")));
        const TExchangeResult x =
            Link->ExchangeCommand(QStringLiteral("AT+TSTA=?"), QString(), true, false, true);
        QVERIFY(!x.failed);
        QCOMPARE(Link->ComPort1->EndedOnPrompt(), endOnPrompt);
        QVERIFY2(x.answer.startsWith(QStringLiteral("AT+TSTA=?\r")), qPrintable(x.answer));
        QVERIFY2(x.answer.endsWith(QStringLiteral("\r\n>")), qPrintable(x.answer));
        Link->AnswerReceived = true;
        Link->RunPollProcessor(Address(QStringLiteral("+TSTA")), x.answer);
        QVERIFY(Link->AnswerReceived);
        QCOMPARE(Wire("+TSTA", 0, 0), QStringLiteral("late"));
        QCOMPARE(Sim->ReceivedLines(), QStringList{QStringLiteral("AT+TSTA=?")});
    }

    // Answer forms fed to the response routine directly: the values reach
    // the table as they reach the pages.
    void answerForms_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("values"); // S, I, O
        QTest::addColumn<bool>("received");
        QTest::addColumn<QString>("message");
        const QString tail = QStringLiteral("\r\n\r\n>");
        QTest::newRow("echo, response, prompt") << "AT+TSTA=?\r\r\n+RESP:TSTA,hi,7,2,z" + tail
                                                << QStringList{"hi", "7", "2"} << true << "";
        QTest::newRow("unknown option keeps selection")
            << "+RESP:TSTA,x,9,7,z" + tail << QStringList{"x", "9", "1"} << true << "";
        QTest::newRow("too few fields") << "+RESP:TSTA,x,9" + tail << QStringList{"x", "9", "1"}
                                        << true << "Некорректный ответ - отсутствует параметр 3";
        // As the spin box on a page holds it.
        QTest::newRow("integer out of range is held at its bound")
            << "+RESP:TSTA,x,5000,0,z" + tail << QStringList{"x", "1000", "0"} << true << "";
        QTest::newRow("header compared with case")
            << "+resp:TSTA,x,9,2,z" + tail << QStringList{"abc", "5", "1"} << false << "";
        QTest::newRow("no prompt")
            << "+RESP:TSTA,p,3,2,z\r\n"
            << QStringList{"p", "3", "2"} << true << "Трекер не в командном режиме";
    }
    void answerForms() {
        QFETCH(QString, answer);
        QFETCH(QStringList, values);
        QFETCH(bool, received);
        QFETCH(QString, message);
        Start();
        Link->AnswerReceived = true;
        Link->RunPollProcessor(Address(QStringLiteral("+TSTA")), answer);
        QCOMPARE(Link->AnswerReceived, received);
        QCOMPARE((QStringList{Wire("+TSTA", 0, 0), Wire("+TSTA", 0, 1), Wire("+TSTA", 0, 2)}),
                 values);
        if (!message.isEmpty())
            QCOMPARE(Host->Count(message), 1);
        QVERIFY(Host->Errors.isEmpty());
    }

    // What the tracker said to a read or a write, as the operations and the
    // front ends decide from it.
    void answerOutcomeOnTheWire_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("row"); // -1: read, else the row written
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<bool>("matched");
        QTest::addColumn<bool>("isShort");
        QTest::addColumn<bool>("unsupported");
        QTest::addColumn<bool>("refused");
        QTest::newRow("read") << "+TSTA" << -1 << "" << true << true << false << false << false;
        QTest::newRow("row write") << "+TSTI" << 1 << "" << true << true << false << false << false;
        QTest::newRow("short read")
            << "+TSTA" << -1 << "short" << false << true << true << false << false;
        // The answer ends inside the written row.
        QTest::newRow("short row write")
            << "+TSTI" << 2 << "short" << false << true << true << false << false;
        QTest::newRow("silent") << "+TSTA" << -1 << "mute" << false << false << false << false
                                << false;
        QTest::newRow("not supported")
            << "+TSTI" << 0 << "unsupported" << false << false << false << true << false;
        QTest::newRow("wrong password")
            << "+TSTI" << 0 << "password" << false << true << false << false << true;
    }
    void answerOutcomeOnTheWire() {
        QFETCH(QString, command);
        QFETCH(int, row);
        QFETCH(QString, fault);
        QFETCH(bool, confirmed);
        QFETCH(bool, matched);
        QFETCH(bool, isShort);
        QFETCH(bool, unsupported);
        QFETCH(bool, refused);
        Start(1);
        Enter();
        SetFault(command, fault, 1);
        if (row < 0)
            Link->PollCommand(Address(command));
        else
            Link->ApplyCommand(Address(command, row));
        const TAnswerOutcome& o = Link->LastAnswer;
        QCOMPARE(o.Confirms(qMax(0, row)), confirmed);
        QCOMPARE(o.Matched, matched);
        QCOMPARE(o.Short, isShort);
        QCOMPARE(o.Unsupported, unsupported);
        QCOMPARE(!o.DeviceError.isEmpty(), refused);
        QVERIFY(!o.ExchangeFailed);
        QCOMPARE(Link->WriteCheck.NotConfirmed().size(), row >= 0 && !confirmed ? 1 : 0);
    }

    void writesOneRowAndKeepsTheOthers() {
        Start();
        Enter();
        SetWire(QStringLiteral("+TSTI"), 0, 0, QStringLiteral("11"));
        SetWire(QStringLiteral("+TSTI"), 1, 0, QStringLiteral("22"));
        SetWire(QStringLiteral("+TSTI"), 1, 1, QStringLiteral("bb"));
        QVERIFY(Link->ApplyOne(Address(QStringLiteral("+TSTI"), 1)));
        QCOMPARE(Sim->ReceivedLines(),
                 QStringList{QStringLiteral("AT+TSTI=%1,2,22,bb,").arg(QLatin1String(kMaster))});
        QCOMPARE(Sim->Value(QStringLiteral("+TSTI"), 1, 0), QStringLiteral("22"));
        // The answer carries every row; only the written one may refresh.
        QCOMPARE(Wire("+TSTI", 0, 0), QStringLiteral("11"));
        // The password never reaches the log.
        for (const QString& line : Host->Log)
            QVERIFY2(!line.contains(QLatin1String(kMaster)), qPrintable(line));
    }

    void writesAPageByItsRules() {
        Start();
        Enter();
        // Switched off everywhere: "auto" rows are left out, "always" ones go.
        for (const char* name : {"+TSTA", "+TSTY", "+TSTG", "+TSTN"}) {
            const TCmdAddress a = Address(QString::fromLatin1(name));
            const TDevCommand& cmd = DevCommands[a.Page].Commands[a.Command];
            for (int p = 0; p < cmd.Parameters.size(); ++p)
                Values->SetParameterEnabled({a.Page, a.Command, 0, p}, false);
        }
        const int page = Address(QStringLiteral("+TSTA")).Page;
        QVERIFY(Link->ApplyPage(page));
        QStringList commands;
        for (const QString& line : Sim->ReceivedLines())
            commands << line.section(QLatin1Char('='), 0, 0);
        QVERIFY(!commands.contains(QStringLiteral("AT+TSTA")));
        QVERIFY(!commands.contains(QStringLiteral("AT+TSTG")));
        QVERIFY(commands.contains(QStringLiteral("AT+TSTY")));
        QVERIFY(commands.contains(QStringLiteral("AT+TSTN"))); // a parameter that is always sent
        QCOMPARE(commands.count(QStringLiteral("AT+TSTI")), 3);
        QVERIFY(Host->Finished);
        QCOMPARE(Host->ProgressValue, Host->ProgressMaximum);
    }

    void errorAnswersReachTheHost_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("error");
        QTest::newRow("password") << "0000"
                                  << "0000"
                                  << "+PWA1"
                                  << "1"
                                  << "Неверно задан пароль";
        QTest::newRow("permission") << kUser << ""
                                    << "+PWA0"
                                    << "1"
                                    << "";
        QTest::newRow("permission of the user") << kUser << ""
                                                << "+PWA3"
                                                << "1"
                                                << "none";
    }
    void errorAnswersReachTheHost() {
        QFETCH(QString, user);
        QFETCH(QString, master);
        QFETCH(QString, command);
        QFETCH(QString, value);
        QFETCH(QString, error);
        Start();
        TLinkSettings s = Link->LinkSettings();
        s.Password = user;
        s.MasterPassword = master;
        Link->ApplySettings(s);
        Enter();
        SetWire(command, 0, 0, value);
        const bool sent = Link->ApplyCommand(Address(command));
        if (error.isEmpty()) {
            // Admin mode with no master password: refused before the wire.
            QVERIFY(!sent);
            QVERIFY(Sim->ReceivedLines().isEmpty());
            QCOMPARE(Host->Count(QStringLiteral("Неверно задан пароль")), 1);
        } else if (error == QLatin1String("none")) {
            QVERIFY(Host->Errors.isEmpty());
            QCOMPARE(Sim->Value(command, 0, 0), value);
        } else {
            QCOMPARE(Host->Errors, QStringList{error});
            QCOMPARE(Sim->ReceivedLines().size(), 1);
        }
    }

    void notSupportedIsMarkedAndSkipped() {
        Start();
        Enter();
        Sim->SetUnsupported(QStringLiteral("+TSTA"), true);
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        QVERIFY(Link->PollOne(a));
        QVERIFY(!Values->CommandUsable(a.Page, a.Command));
        Sim->ClearReceived();
        QVERIFY(Link->PollPage(a.Page));
        QVERIFY(!Sim->ReceivedLines().contains(QStringLiteral("AT+TSTA=?")));
        QVERIFY(Sim->ReceivedLines().contains(QStringLiteral("AT+TSTI=?")));
        // Nor is it saved into a file.
        QBuffer file;
        QVERIFY(file.open(QIODevice::WriteOnly));
        struct : TConfigReport {
            void Log(const QString&) override {}
        } report;
        QVERIFY(SaveConfiguration(*Values, file, report).Ok());
    }

    void silentDeviceIsRetriedThenGivenUp() {
        Start(2);
        Enter();
        Sim->SetSilent(true);
        Link->PollOne(Address(QStringLiteral("+TSTA")));
        QCOMPARE(Sim->ReceivedLines().count(QStringLiteral("AT+TSTA=?")), 2);
        QCOMPARE(Host->Count(QStringLiteral("Не получен ожидаемый ответ на команду. Повтор")), 1);
        QCOMPARE(
            Host->Count(QStringLiteral("Не получен ожидаемый ответ на команду. Прекращаю попытку")),
            1);
    }

    void vanishedPortEndsTheOperation() {
        Start();
        Enter();
        Sim->VanishAfter(0);
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        QVERIFY(!Link->PollPage(a.Page));
        QCOMPARE(Host->RetryQuestions, 1);
        QVERIFY(!Link->InCommandMode);
        QVERIFY(!Link->ComPort1->Connected());
        QCOMPARE(Host->Count(QStringLiteral("Процесс прерван на команде +TSTA")), 1);
        QVERIFY(!Host->Finished);
    }

    void missingPortIsExplainedAfterTheFailure() {
        // No simulator: the port named in the settings does not exist.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("ttyGone0"));
        TLinkSettings s;
        s.Port = path;
        TRecordingHost host;
        TDeviceLink link;
        link.SetHost(&host);
        link.ApplySettings(s);
        QVERIFY(!link.OpenPort());
        QVERIFY(!link.ComPort1->Connected());
        QCOMPARE(host.Log.size(), 2);
        QVERIFY2(host.Log[0].startsWith(QStringLiteral("Не могу открыть порт, исключение=")),
                 qPrintable(host.Log.join(QLatin1Char('\n'))));
        QVERIFY2(host.Log[1].startsWith(QStringLiteral("Порта %1 нет").arg(path)),
                 qPrintable(host.Log.join(QLatin1Char('\n'))));
    }

    // A value with a control character could end the command line and start
    // another one: whatever store holds it, the row is refused before the
    // wire and a page write stops there.
    // A password from a settings file rides inside the command line as well:
    // one that could end the line is dropped as if it were unset, and the
    // other one, if safe, stands in for entry, exit and the status stream.
    void passwordWithControlCharacterIsNeverSent_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("sent"); // empty: refused
        const QString user = QString::fromLatin1(kUser);
        const QString master = QString::fromLatin1(kMaster);
        QTest::newRow("both unsafe")
            << QStringLiteral("1111\rAT+SAVE=1111,") << QStringLiteral("00\n00") << QString();
        QTest::newRow("master unsafe, user stands in") << user << QStringLiteral("99\n81") << user;
        QTest::newRow("master with DEL") << user << (master + QChar(127)) << user;
        QTest::newRow("user unsafe, master set") << QStringLiteral("22\t22") << master << master;
    }
    void passwordWithControlCharacterIsNeverSent() {
        QFETCH(QString, user);
        QFETCH(QString, master);
        QFETCH(QString, sent);
        Start();
        Enter();
        TLinkSettings s = Link->LinkSettings();
        s.Password = user;
        s.MasterPassword = master;
        Link->ApplySettings(s);
        if (sent.isEmpty()) {
            QVERIFY(!Link->ApplyCommand(Address(QStringLiteral("+TSTA"))));
            QTest::qWait(100);
            QVERIFY(Sim->ReceivedLines().isEmpty());
            QCOMPARE(Host->Count(QStringLiteral("Неверно задан пароль")), 1);
            return;
        }
        QVERIFY(Link->ApplyCommand(Address(QStringLiteral("+PWA1"))));
        QVERIFY(Link->StartStatusStream());
        QTRY_VERIFY_WITH_TIMEOUT(Sim->Streaming(), kEntryTimeoutMs);
        Link->StopStatusStream();
        Link->LeaveCommandMode(); // the exit line is not waited for
        QTRY_VERIFY_WITH_TIMEOUT(!Sim->InCommandMode(), kEntryTimeoutMs);
        QVERIFY(!Sim->Streaming());
        const QStringList lines = Sim->ReceivedLines();
        QVERIFY2(lines.first().startsWith(QStringLiteral("AT+PWA1=") + sent + QLatin1Char(',')),
                 qPrintable(lines.first()));
        QVERIFY(
            lines.contains(QStringLiteral("AT+SDAD=") + sent + QStringLiteral(",,3,,,,,,,,,,,")));
        QVERIFY(
            lines.contains(QStringLiteral("AT+SDAD=") + sent + QStringLiteral(",,0,,,,,,,,,,,")));
        QCOMPARE(lines.last(), QStringLiteral("AT+TEXT=") + sent + QLatin1Char(','));
    }

    // The entry loop retries a missing port: each link folds its own failure
    // into one host line and reports the count once the port opens.
    void missingPortIsLoggedOnceWithCount() {
        Start();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("tracker"));
        QVERIFY(Sim->PublishLink(path));
        TLinkSettings s = Link->LinkSettings();
        s.Port = path;
        Link->ApplySettings(s);
        Sim->Vanish();
        for (int i = 0; i < 6; ++i)
            QVERIFY(!Link->OpenPort());
        const QString failure = QStringLiteral("Не могу открыть порт, исключение=");
        const auto failures = [&] {
            QStringList lines;
            for (const QString& line : Host->Log)
                if (line.startsWith(failure))
                    lines << line;
            return lines;
        };
        QCOMPARE(failures().size(), 1);
        QVERIFY(Sim->Reappear());
        QVERIFY(Link->OpenPort());
        const QStringList after = failures();
        QCOMPARE(after.size(), 2);
        QCOMPARE(after.last(), after.first() + QStringLiteral(" (повторено 5 раз)"));
        // Open again: nothing more to report.
        QVERIFY(Link->OpenPort());
        QCOMPARE(failures().size(), 2);
    }

    // A read names each command whose values did not all come and goes on
    // with the next; the table holds what came and nothing in its place.
    void readOperationNamesWhatDidNotCome_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("why");
        QTest::addColumn<int>("held"); // values of +TSTA held, from the first
        QTest::newRow("whole") << "" << int(rsRead) << int(iwNone) << 3;
        QTest::newRow("short") << "short" << int(rsIncomplete) << int(iwShort) << 2;
        QTest::newRow("silent") << "mute" << int(rsIncomplete) << int(iwNoAnswer) << 0;
        QTest::newRow("not supported") << "unsupported" << int(rsUnsupported) << int(iwNone) << 0;
        QTest::newRow("option not in the list")
            << "option" << int(rsIncomplete) << int(iwUnreadable) << 2;
    }
    void readOperationNamesWhatDidNotCome() {
        QFETCH(QString, fault);
        QFETCH(int, state);
        QFETCH(int, why);
        QFETCH(int, held);
        Start(1);
        Enter();
        const QString name = QStringLiteral("+TSTA");
        // Two fields short: the last one is never taken (overwrite off).
        SetFault(name, fault, 2);
        if (fault == QLatin1String("option"))
            QVERIFY(Sim->SetValue(name, 0, 2, QStringLiteral("7")));
        TOpsObserver observer;
        const TReadResult read = ReadCommands(
            *Link, *Values, {Address(name), Address(QStringLiteral("+TSTI"))}, observer);
        QCOMPARE(read.Commands.size(), 2);
        QCOMPARE(int(read.Commands[0].State), state);
        QCOMPARE(int(read.Commands[0].Why), why);
        QCOMPARE(read.Commands[1].State, rsRead);
        QCOMPARE(read.Complete(), state == rsRead || state == rsUnsupported);
        for (int p = 0; p < 4; ++p) {
            TCmdAddress a = Address(name);
            a.Param = p;
            QCOMPARE(bool(Values->Held(a) & hpValue), p < held);
        }
        QCOMPARE(Host->Count(QStringLiteral("Значения команды +TSTA прочитаны не все")),
                 state == rsIncomplete ? 1 : 0);
    }

    // The tracker's identity from its first DPRM report; none in time is
    // no identity. The stream is stopped either way.
    void identityFromTheFirstReport_data() {
        QTest::addColumn<bool>("dprm");
        QTest::newRow("reported") << true;
        QTest::newRow("never reported") << false;
    }
    void identityFromTheFirstReport() {
        QFETCH(bool, dprm);
        Start();
        Sim->SetStreamPeriod(kTimeoutMs / 2);
        if (!dprm)
            Sim->SetStatusReportSource([](int) {
                return QStringList{QStringLiteral("+RESP:SGSM,1,1,8,0,MTS,15,h,1,a,u,p")};
            });
        Enter();
        TOpsObserver observer;
        const TTrackerIdentity id = ReadIdentity(*Link, observer, kTimeoutMs * 8);
        QCOMPARE(id.Identified, dprm);
        QCOMPARE(id.Model, dprm ? QStringLiteral("VT-SIM") : QString());
        QCOMPARE(id.Imei, dprm ? QStringLiteral("356938035643809") : QString());
        QCOMPARE(id.Firmware, dprm ? QStringLiteral("3.1.0") : QString());
        QVERIFY(id.UnitId.startsWith(dprm ? QStringLiteral("100") : QString()));
        QVERIFY(!Sim->Streaming());
        QVERIFY(Link->InCommandMode);
    }

    void valuesScopeSwitchesAndRestores() {
        Start();
        Enter();
        QVERIFY(Sim->SetValue(QStringLiteral("+TSTA"), 0, 0, QStringLiteral("other")));
        TParamValueTable copy;
        {
            TLinkValuesScope scope(*Link, &copy);
            QVERIFY(Link->PollOne(Address(QStringLiteral("+TSTA"))));
        }
        QCOMPARE(Link->Values(), static_cast<TParamValues*>(Values.get()));
        QCOMPARE(copy.WireText(Address(QStringLiteral("+TSTA"))), QStringLiteral("other"));
        QCOMPARE(Wire("+TSTA", 0, 0), QStringLiteral("abc"));
    }

    void tableRoundTripsThroughAFile() {
        Start();
        for (const char* name : {"+TSTA", "+TSTI", "+TSTN"}) {
            const TCmdAddress a = Address(QString::fromLatin1(name));
            DevCommands[a.Page].Commands[a.Command].ExportData = true;
        }
        SetWire(QStringLiteral("+TSTA"), 0, 0, QStringLiteral("a,\"b\"<c>"));
        SetWire(QStringLiteral("+TSTA"), 0, 2, QStringLiteral("0"));
        Values->SetParameterEnabled(Address(QStringLiteral("+TSTA")), false);
        SetWire(QStringLiteral("+TSTI"), 2, 1, QStringLiteral("row3"));
        QBuffer file;
        QVERIFY(file.open(QIODevice::ReadWrite));
        struct TReport : TConfigReport {
            QStringList Lines;
            void Log(const QString& text) override { Lines << text; }
        } report;
        QVERIFY(SaveConfiguration(*Values, file, report).Ok());
        file.seek(0);
        TParamValueTable loaded;
        QVERIFY(LoadConfiguration(file, loaded, report).Ok());
        for (const char* name : {"+TSTA", "+TSTI", "+TSTN"}) {
            const TCmdAddress a = Address(QString::fromLatin1(name));
            const TDevCommand& cmd = DevCommands[a.Page].Commands[a.Command];
            for (int r = 0; r < cmd.RowCount(); ++r)
                for (int p = 0; p < cmd.Parameters.size(); ++p) {
                    const TCmdAddress at{a.Page, a.Command, r, p};
                    QCOMPARE(loaded.WireText(at), Values->WireText(at));
                    QCOMPARE(loaded.ParameterEnabled(at), Values->ParameterEnabled(at));
                }
        }
    }
};

QTEST_GUILESS_MAIN(TestDeviceLink)
#include "tst_devicelink.moc"
