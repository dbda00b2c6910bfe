#include "config/ConfigFormat.h"
#include "e2e/LinkFixture.h"
#include "pages/EditorAccess.h"

#include <QComboBox>
#include <QFile>
#include <QtTest>
#include <memory>

using namespace linktest;

namespace {

const QString kNoAnswerRepeat = QStringLiteral("]Не получен ожидаемый ответ на команду. Повтор");
const QString kNoAnswerGiveUp =
    QStringLiteral("]Не получен ожидаемый ответ на команду. Прекращаю попытку");
const QString kNotInCommandMode = QStringLiteral("]Трекер не в командном режиме");
const QString kRetryBox = QStringLiteral("Ошибка передачи данных|Повторить попытку?");
// Time-outs long enough that an answer which waited for them stands out
// from one that ended on its prompt, however loaded the machine.
constexpr int kLongTimeoutMs = 4000;
constexpr int kWaitedTheTimeoutsMs = kLongTimeoutMs - 1000;

// The first command of the shipped profile that the device can be read with.
TCmdAddress FirstReadable() {
    for (int p = 0; p < DevCommands.size(); ++p)
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
            const TDevCommand& cmd = DevCommands[p].Commands[c];
            if (cmd.PollData && !cmd.Indexed && !cmd.Parameters.isEmpty() &&
                cmd.PollProcessorName.isEmpty())
                return {p, c, 0, 0};
        }
    return {-1, 0, 0, 0};
}

TCmdAddress FirstWritable(TPasswordMode mode = pmAdminUser) {
    for (int p = 0; p < DevCommands.size(); ++p)
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
            const TDevCommand& cmd = DevCommands[p].Commands[c];
            if (cmd.PollData && cmd.SetData && !cmd.Indexed && !cmd.Parameters.isEmpty() &&
                cmd.PollProcessorName.isEmpty() && cmd.PasswordMode == mode)
                return {p, c, 0, 0};
        }
    return {-1, 0, 0, 0};
}

} // namespace

class TestTransactions : public QObject {
    Q_OBJECT
    std::unique_ptr<TLinkBench> B;

    void StartBench(const TIniOptions& o = {}, bool useLink = false,
                    THostKind kind = THostKind::Windows) {
        B = std::make_unique<TLinkBench>();
        QVERIFY2(B->Start(o, useLink, kind), qPrintable(B->Error));
    }
    void StartLinkOnly(const TIniOptions& o = {}) { StartBench(o, false, THostKind::LinkOnly); }
    void StartWithTestProfile(THostKind kind = THostKind::Windows) {
        StartBench({}, false, kind);
        B->UseProfile(QByteArray(kTestProfile));
        QVERIFY(FindCommand(QStringLiteral("+TSTA")).Page >= 0);
    }
    QWidget* Editor(const QString& name, int row, int param) {
        const TCmdAddress a = Address(name);
        return B->Pages()->FindControl(a.Page, a.Command, row, param, crEditor);
    }
    void RunDefault(const QString& name, const QString& answer) {
        const TCmdAddress a = Address(name);
        B->Link()->AnswerReceived = true;
        B->Link()->RunPollProcessor(a, answer);
    }
    void AnswerBoxesWithOk() {
        B->Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Ok); });
    }

private Q_SLOTS:
    void cleanup() { EndBench(B); }

    // --- nothing but the intended line reaches the tracker ---

    // A configuration file that carries line breaks, tabs and NULs in values
    // and in the command name: loading folds them to spaces, so "Применить"
    // sends one line and the tracker never sees a command of the file's own.
    void loadedValuesCannotInjectCommands() {
        StartWithTestProfile();
        const QString path = B->Dir.filePath(QStringLiteral("inject.zxml"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            TConfigWriter w(&file);
            w.WriteHeader();
            w.BeginCommand(QStringLiteral("\r\n+TSTA\t") + QChar(0));
            w.BeginRow(0);
            w.WriteParameter(3, true, true, QStringLiteral("a\rAT+SAVE=1111\rb\nc\td"));
            w.WriteParameter(0, true, true,
                             QStringLiteral("x") + QChar(0) + QStringLiteral("y\r\n"));
            w.EndRow();
            w.EndCommand();
            w.WriteFooter();
            QVERIFY(w.Close());
        }
        fmMain->LoadConfiguration(path);
        QCOMPARE(EditorText(Editor(QStringLiteral("+TSTA"), 0, 3)),
                 QStringLiteral("a AT+SAVE=1111 b c d"));
        QCOMPARE(EditorText(Editor(QStringLiteral("+TSTA"), 0, 0)), QStringLiteral("x y"));

        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        const int zeros = B->Sim.ZeroBytesReceived();
        QVERIFY(B->Link()->ApplyCommand(Address(QStringLiteral("+TSTA"))));
        const QStringList lines = B->Sim.ReceivedLines();
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().startsWith(QStringLiteral("AT+TSTA=") +
                                         QString::fromLatin1(kMasterPassword) +
                                         QStringLiteral(",x y,")));
        QVERIFY(lines.first().endsWith(QStringLiteral(",a AT+SAVE=1111 b c d,")));
        const QByteArray bytes = B->Sim.ReceivedBytes();
        QCOMPARE(bytes.count('\r'), 1);
        QVERIFY(!bytes.contains('\n') && !bytes.contains('\t'));
        QCOMPARE(B->Sim.ZeroBytesReceived(), zeros);
        for (const QString& line : B->Log().split(QLatin1Char('\n')))
            QVERIFY2(!line.startsWith(QStringLiteral(">AT+SAVE")), qPrintable(line));
        QVERIFY(!B->Log().contains(QString::fromLatin1(kMasterPassword)));
    }

    // Whatever put it there (typing, a front end, an answer of the tracker),
    // a value that would end the line or shift the values after it is
    // refused and the command not sent.
    void unsafeValueIsRefused_data() {
        QTest::addColumn<int>("param");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("why");
        const QString control = QStringLiteral("содержит управляющий символ");
        const QString separator = QStringLiteral("содержит запятую или кавычку");
        QTest::newRow("cr") << 0 << QStringLiteral("a\rAT+SAVE=1111,") << control;
        QTest::newRow("lf") << 0 << QStringLiteral("b\nc") << control;
        QTest::newRow("tab") << 3 << QStringLiteral("c\td") << control;
        QTest::newRow("nul") << 3 << (QStringLiteral("e") + QChar(0)) << control;
        QTest::newRow("comma") << 0 << QStringLiteral("b,c") << separator;
        QTest::newRow("quote") << 3 << QStringLiteral("say \"hi") << separator;
    }
    void unsafeValueIsRefused() {
        QFETCH(int, param);
        QFETCH(QString, value);
        QFETCH(QString, why);
        StartWithTestProfile(THostKind::LinkOnly);
        QWidget* editor = Editor(QStringLiteral("+TSTA"), 0, param);
        SetEditorText(editor, value);
        QCOMPARE(EditorText(editor), value);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        QVERIFY(!B->Link()->ApplyCommand(Address(QStringLiteral("+TSTA"))));
        QTest::qWait(100);
        QVERIFY(B->Sim.ReceivedLines().isEmpty());
        const QString description = param == 0 ? QStringLiteral("S") : QStringLiteral("K");
        const QString refusal =
            QStringLiteral("]Команда +TSTA не отправлена: значение параметра %1 "
                           "(%2) %3")
                .arg(param)
                .arg(description, why);
        QCOMPARE(B->LogCount(refusal), 1);
        // The page stops at it.
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        QVERIFY(!B->Link()->ApplyPage(a.Page));
        QTest::qWait(100);
        QVERIFY(B->Sim.ReceivedLines().isEmpty());
        QCOMPARE(B->LogCount(refusal), 2);
        QCOMPARE(B->LogCount(QStringLiteral("]Процесс прерван на команде +TSTA/0")), 1);
        QVERIFY(!B->Log().contains(QStringLiteral("AT+SAVE")));
        // A switched-off parameter sends nothing, so it blocks nothing.
        SetSwitchChecked(B->Pages()->FindControl(a.Page, a.Command, 0, param, crSwitch), false);
        QVERIFY(B->Link()->ApplyCommand(a));
        QVERIFY(B->Sim.WaitForLines(1, 2000));
        QCOMPARE(B->Sim.ReceivedLines().size(), 1);
    }

    // --- the response rules, fed with answers of known shape ---

    void answerFillsEditors_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("s");
        QTest::addColumn<QString>("i");
        QTest::addColumn<QString>("o");
        QTest::addColumn<bool>("received");
        QTest::addColumn<QString>("message");
        const QString tail = QStringLiteral("\r\n\r\n>");
        QTest::newRow("echo, response, prompt")
            << "AT+TSTA=?\r\r\n+RESP:TSTA,hello,7,2,zzz" + tail << "hello"
            << "7"
            << "2" << true << "";
        QTest::newRow("quoted comma") << "+RESP:TSTA,\"a,b\",8,0,z" + tail << "a,b"
                                      << "8"
                                      << "0" << true << "";
        QTest::newRow("unknown option keeps selection") << "+RESP:TSTA,x,9,7,z" + tail << "x"
                                                        << "9"
                                                        << "1" << true << "";
        QTest::newRow("header compared with case") << "+resp:TSTA,x,9,2,z" + tail << "abc"
                                                   << "5"
                                                   << "1" << false << "";
        QTest::newRow("longer name still matches") << "+RESP:TSTAXY,x,9,2,z" + tail << "x"
                                                   << "9"
                                                   << "2" << true << "";
        QTest::newRow("too few fields")
            << "+RESP:TSTA,x,9" + tail << "x"
            << "9"
            << "1" << true << "]Некорректный ответ - отсутствует параметр 3";
        QTest::newRow("lone ERROR is a value")
            << "+RESP:TSTA,ERROR" + tail << "ERROR"
            << "5"
            << "1" << true << "]Некорректный ответ - отсутствует параметр 2";
        QTest::newRow("ERROR with other word is values")
            << "+RESP:TSTA,ERROR,OTHER,0,z" + tail << "ERROR"
            << "5"
            << "0" << true << "";
        QTest::newRow("last matching line wins")
            << "+RESP:TSTA,one,1,0,z\r\n+RESP:TSTA,two,2,2,z" + tail << "two"
            << "2"
            << "2" << true << "";
        QTest::newRow("no prompt") << "+RESP:TSTA,p,3,2,z\r\n"
                                   << "p"
                                   << "3"
                                   << "2" << true << kNotInCommandMode;
        QTest::newRow("prompt then blank") << "+RESP:TSTA,p,3,2,z\r\n> "
                                           << "p"
                                           << "3"
                                           << "2" << true << kNotInCommandMode;
        QTest::newRow("nothing at all") << ""
                                        << "abc"
                                        << "5"
                                        << "1" << false << kNotInCommandMode;
    }
    void answerFillsEditors() {
        QFETCH(QString, answer);
        QFETCH(QString, s);
        QFETCH(QString, i);
        QFETCH(QString, o);
        QFETCH(bool, received);
        QFETCH(QString, message);
        StartWithTestProfile(THostKind::LinkOnly);
        RunDefault(QStringLiteral("+TSTA"), answer);
        QCOMPARE(B->Link()->AnswerReceived, received);
        QCOMPARE(EditorText(Editor("+TSTA", 0, 0)), s);
        QCOMPARE(EditorText(Editor("+TSTA", 0, 1)), i);
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        QCOMPARE(EditorValue(Command(a).Parameters[2], Editor("+TSTA", 0, 2)), o);
        // Overwrite off: the field is taken but the editor keeps its text.
        QCOMPARE(EditorText(Editor("+TSTA", 0, 3)), QStringLiteral("keep"));
        if (message.isEmpty()) {
            QVERIFY(!B->Log().contains(QStringLiteral("Некорректный ответ")));
            QVERIFY(!B->Log().contains(kNotInCommandMode));
        } else {
            QCOMPARE(B->LogCount(message), 1);
        }
    }

    void indexedValuesRunAcrossRows_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("values"); // a0, b0, a1, b1, a2, b2
        QTest::addColumn<QString>("message");
        QTest::newRow("all rows") << "+RESP:TSTI,1,x,2,y,3,z\r\n>"
                                  << QStringList{"1", "x", "2", "y", "3", "z"} << "";
        QTest::newRow("ends after a whole row")
            << "+RESP:TSTI,1,x\r\n>" << QStringList{"1", "x", "0", "-", "0", "-"} << "";
        QTest::newRow("ends inside a row")
            << "+RESP:TSTI,1,x,2\r\n>" << QStringList{"1", "x", "2", "-", "0", "-"}
            << "]Некорректный ответ - отсутствует параметр 4";
        QTest::newRow("extra fields ignored")
            << "+RESP:TSTI,1,x,2,y,3,z,4,w\r\n>" << QStringList{"1", "x", "2", "y", "3", "z"} << "";
    }
    void indexedValuesRunAcrossRows() {
        QFETCH(QString, answer);
        QFETCH(QStringList, values);
        QFETCH(QString, message);
        StartWithTestProfile(THostKind::LinkOnly);
        RunDefault(QStringLiteral("+TSTI"), answer);
        QVERIFY(B->Link()->AnswerReceived);
        QStringList seen;
        for (int r = 0; r < 3; ++r)
            for (int p = 0; p < 2; ++p)
                seen << EditorText(Editor("+TSTI", r, p));
        QCOMPARE(seen, values);
        if (message.isEmpty())
            QVERIFY(!B->Log().contains(QStringLiteral("Некорректный ответ")));
        else
            QCOMPARE(B->LogCount(message), 1);
    }

    void errorAnswerShowsItsBox_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("text");
        QTest::newRow("password") << "PASSWORD"
                                  << "Неверно задан пароль";
        QTest::newRow("permission") << "PERMISSION"
                                    << "Недостаточный уровень доступа";
        QTest::newRow("command") << "COMMAND"
                                 << "Ошибка обработки параметров";
    }
    void errorAnswerShowsItsBox() {
        QFETCH(QString, word);
        QFETCH(QString, text);
        StartWithTestProfile();
        AnswerBoxesWithOk();
        RunDefault(QStringLiteral("+TSTA"), "+RESP:TSTA,ERROR," + word + ",7,2,z\r\n>");
        QVERIFY(B->Link()->AnswerReceived);
        QCOMPARE(B->Driver->Boxes.size(), 1);
        QVERIFY(B->Driver->Boxes.first().endsWith(QLatin1Char('|') + text));
        // An error line carries no values.
        QCOMPARE(EditorText(Editor("+TSTA", 0, 0)), QStringLiteral("abc"));
        // The read-only routine shows the same boxes.
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        B->Link()->NonPollProcessor(a.Page, a.Command, 0, 0, "+RESP:TSTA,ERROR," + word + "\r\n>");
        QCOMPARE(B->Driver->Boxes.size(), 2);
    }

    void nonPollRoutineWritesNoControl() {
        StartWithTestProfile(THostKind::LinkOnly);
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        B->Link()->AnswerReceived = true;
        B->Link()->NonPollProcessor(a.Page, a.Command, 0, 0, "+RESP:TSTA,zz,9,2,z\r\n>");
        QVERIFY(B->Link()->AnswerReceived);
        QCOMPARE(EditorText(Editor("+TSTA", 0, 0)), QStringLiteral("abc"));
        B->Link()->NonPollProcessor(a.Page, a.Command, 0, 0, "garbage\r\n>");
        QVERIFY(!B->Link()->AnswerReceived);
    }

    void notSupportedGreysTheGroup() {
        StartWithTestProfile(THostKind::LinkOnly);
        RunDefault(QStringLiteral("+TSTA"), QStringLiteral("\r\nNOT SUPPORTED\r\n>"));
        QVERIFY(B->Link()->AnswerReceived);
        const TCmdAddress a = Address(QStringLiteral("+TSTA"));
        QWidget* group = B->Pages()->FindControl(a.Page, a.Command, 0, 0, crGroup);
        QVERIFY(group);
        QVERIFY(!group->isEnabledTo(group->parentWidget()));
        QVERIFY(!Editor("+TSTA", 0, 0)->isEnabledTo(group));
    }

    void exitRoutineClearsCommandModeWithoutAnswer() {
        StartWithTestProfile();
        B->Link()->InCommandMode = true;
        B->Link()->UpdateLinkStatus();
        QCOMPARE(fmMain->StatusPanelText(4), QStringLiteral("CMD"));
        B->Link()->AnswerReceived = true;
        B->Link()->ExitCmdProcessor(0, 0, 0, 0, QString());
        QVERIFY(!B->Link()->InCommandMode);
        QVERIFY(B->Link()->AnswerReceived);
        QCOMPARE(fmMain->StatusPanelText(4), QString());
    }

    // --- passwords ---

    void passwordChosenByMode_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("sent"); // empty: nothing may be sent
        QTest::newRow("admin") << "+PWA0"
                               << "u1"
                               << "m1"
                               << "m1";
        QTest::newRow("admin without master") << "+PWA0"
                                              << "u1"
                                              << ""
                                              << "";
        QTest::newRow("adminuser") << "+PWA1"
                                   << "u1"
                                   << "m1"
                                   << "m1";
        QTest::newRow("adminuser falls back") << "+PWA1"
                                              << "u1"
                                              << ""
                                              << "u1";
        QTest::newRow("useradmin") << "+PWA2"
                                   << "u1"
                                   << "m1"
                                   << "u1";
        QTest::newRow("useradmin falls back") << "+PWA2"
                                              << ""
                                              << "m1"
                                              << "m1";
        QTest::newRow("user") << "+PWA3"
                              << "u1"
                              << "m1"
                              << "u1";
        QTest::newRow("user without user") << "+PWA3"
                                           << ""
                                           << "m1"
                                           << "";
    }
    void passwordChosenByMode() {
        QFETCH(QString, command);
        QFETCH(QString, user);
        QFETCH(QString, master);
        QFETCH(QString, sent);
        StartWithTestProfile(THostKind::LinkOnly);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        Settings.Link.Password = user;
        Settings.Link.MasterPassword = master;
        B->Link()->ApplySettings(Settings.Link);
        const bool ok = B->Link()->ApplyCommand(Address(command));
        if (sent.isEmpty()) {
            QVERIFY(!ok);
            QCOMPARE(B->LogCount(QStringLiteral("]Неверно задан пароль")), 1);
            QTest::qWait(50);
            QVERIFY(B->Sim.ReceivedLines().isEmpty());
            return;
        }
        QVERIFY(ok);
        QVERIFY(B->Sim.WaitForLines(1, 2000));
        QCOMPARE(B->Sim.ReceivedLines().first(), "AT" + command + "=" + sent + ",1,");
        QCOMPARE(B->LogCount(">AT" + command + "=*,1,"), 1);
        QVERIFY(!B->Log().contains("=" + sent + ","));
    }

    // --- against the device ---

    void writeSendsPasswordButLogsStar() {
        StartLinkOnly();
        const TCmdAddress a = FirstWritable();
        if (a.Page < 0)
            QSKIP("no plain writable command in the shipped profile");
        const TDevCommand& cmd = Command(a);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        QVERIFY(B->Link()->ApplyCommand(a));
        const QString values = B->Link()->BuildParameterList(a.Page, a.Command, 0);
        QVERIFY(values.endsWith(QLatin1Char(',')));
        QCOMPARE(B->Sim.ReceivedLines().first(), "AT" + cmd.CommandName + "=" +
                                                     QString::fromLatin1(kMasterPassword) + "," +
                                                     values);
        QCOMPARE(B->LogCount(">AT" + cmd.CommandName + "=*," + values), 1);
        QVERIFY(!B->Log().contains(QString::fromLatin1(kMasterPassword)));
        QVERIFY(!B->Log().contains(kNoAnswerGiveUp));
    }

    void deviceErrorAnswerShowsBox_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("master");
        QTest::addColumn<QString>("text");
        QTest::newRow("wrong password") << int(pmAdminUser) << "0000"
                                        << "Неверно задан пароль";
        QTest::newRow("user password on an admin command")
            << int(pmAdmin) << QString::fromLatin1(kUserPassword)
            << "Недостаточный уровень доступа";
    }
    void deviceErrorAnswerShowsBox() {
        QFETCH(int, mode);
        QFETCH(QString, master);
        QFETCH(QString, text);
        StartBench();
        const TCmdAddress a = FirstWritable(TPasswordMode(mode));
        if (a.Page < 0)
            QSKIP("no plain writable command of that password mode");
        QVERIFY(B->Link()->EnterCommandMode());
        AnswerBoxesWithOk();
        Settings.Link.MasterPassword = master;
        B->Link()->ApplySettings(Settings.Link);
        QVERIFY(B->Link()->ApplyCommand(a));
        QCOMPARE(B->Driver->Boxes.size(), 1);
        QVERIFY(B->Driver->Boxes.first().endsWith(QLatin1Char('|') + text));
        // A recognised error answer is not repeated.
        QCOMPARE(B->Sim.ReceivedLines().filter(QRegularExpression("^AT\\+")).size(), 1);
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
    }

    void unrecognisedAnswerIsRetried_data() {
        QTest::addColumn<int>("retries");
        QTest::newRow("once") << 1;
        QTest::newRow("three times") << 3;
    }
    void unrecognisedAnswerIsRetried() {
        QFETCH(int, retries);
        TIniOptions o;
        o.RetryCount = retries;
        StartLinkOnly(o);
        const TCmdAddress a = FirstReadable();
        QVERIFY(a.Page >= 0);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        B->Sim.SetGarbage(TTrackerSim::gmInstead);
        QVERIFY(B->Link()->PollCommand(a));
        const QString request = "AT" + Command(a).CommandName + "=?";
        QCOMPARE(B->Sim.ReceivedLines().count(request), retries);
        QCOMPARE(B->LogCount(kNoAnswerRepeat), retries - 1);
        QCOMPARE(B->LogCount(kNoAnswerGiveUp), 1);
    }

    void garbageBeforeAnswerIsIgnored() {
        StartLinkOnly();
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.ClearReceived();
        B->Sim.SetGarbage(TTrackerSim::gmBefore);
        QVERIFY(B->Link()->PollCommand(a));
        QCOMPARE(B->Sim.ReceivedLines().size(), 1);
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
    }

    void deviceOutOfCommandModeLogsMissingPrompt() {
        TIniOptions o;
        o.RetryCount = 1;
        StartLinkOnly(o);
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetInCommandMode(false);
        QVERIFY(B->Link()->PollCommand(a));
        QCOMPARE(B->LogCount(kNotInCommandMode), 1);
        QCOMPARE(B->LogCount(kNoAnswerGiveUp), 1);
        // The program's belief is left alone.
        QVERIFY(B->Link()->InCommandMode);
    }

    void answerAfterEchoOfExactBlockSizes_data() {
        QTest::addColumn<int>("payload");
        for (int n : {99, 100, 101, 200, 250})
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }
    void answerAfterEchoOfExactBlockSizes() {
        QFETCH(int, payload);
        StartLinkOnly();
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetAnswerPayloadSize(payload);
        const QString request = "AT" + Command(a).CommandName + "=?";
        const TExchangeResult x =
            B->Link()->ExchangeCommand(request, QString(), false, false, true);
        QVERIFY(!x.failed);
        QVERIFY(x.answer.startsWith(request + "\r"));
        QCOMPARE(x.answer.size() - request.size() - 1, payload);
        QVERIFY(x.answer.endsWith(QStringLiteral("\n>")));
        B->Link()->AnswerReceived = true;
        B->Link()->RunPollProcessor(a, x.answer);
        QVERIFY(B->Link()->AnswerReceived);
    }

    // --- answers that end on their prompt ---

    void answerEndsOnItsPrompt_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("plain") << "";
        QTest::newRow("pause before the prompt") << "pause";
        QTest::newRow("longer than one block") << "long";
        QTest::newRow("prompt closes a full block") << "100";
        QTest::newRow("prompt split over two blocks") << "101";
        QTest::newRow("no echo") << "noecho";
    }
    void answerEndsOnItsPrompt() {
        QFETCH(QString, fault);
        TIniOptions o;
        o.Timeout = o.TimeoutInterval = o.TimeoutEcho = kLongTimeoutMs;
        StartLinkOnly(o);
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        if (fault == QLatin1String("pause"))
            B->Sim.SetPromptPause(300);
        else if (fault == QLatin1String("long"))
            B->Sim.SetLongAnswers(true);
        else if (fault == QLatin1String("noecho"))
            B->Sim.SetEcho(false);
        else if (!fault.isEmpty())
            B->Sim.SetAnswerPayloadSize(fault.toInt());
        const QString request = "AT" + Command(a).CommandName + "=?";
        QElapsedTimer timer;
        timer.start();
        const TExchangeResult x =
            B->Link()->ExchangeCommand(request, QString(), false, false, true);
        const qint64 ms = timer.elapsed();
        QVERIFY(!x.failed);
        QVERIFY(x.answer.endsWith(QStringLiteral("\r\n>")));
        QVERIFY2(ms < kWaitedTheTimeoutsMs, qPrintable(QString::number(ms)));
        B->Link()->AnswerReceived = true;
        B->Link()->RunPollProcessor(a, x.answer);
        QVERIFY(B->Link()->AnswerReceived);
        QVERIFY(!B->Log().contains(kNotInCommandMode));
    }

    // Bytes after the prompt: late ones are no longer part of the answer,
    // except with the setting off; ones that come with it always are.
    void onlyAPromptAtTheEndCounts_data() {
        QTest::addColumn<bool>("endOnPrompt");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<bool>("read");
        QTest::newRow("late line left for later")
            << true << QByteArray("\r\n+LATE") << 300 << false;
        QTest::newRow("off: late line read as before")
            << false << QByteArray("\r\n+LATE") << 300 << true;
        QTest::newRow("blank with the prompt") << true << QByteArray(" ") << 0 << true;
    }
    void onlyAPromptAtTheEndCounts() {
        QFETCH(bool, endOnPrompt);
        QFETCH(QByteArray, after);
        QFETCH(int, pauseMs);
        QFETCH(bool, read);
        TIniOptions o;
        // The late line comes well inside what the time-outs allow.
        o.Timeout = o.TimeoutInterval = 1500;
        o.EndOnPrompt = endOnPrompt;
        StartLinkOnly(o);
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetAfterPrompt(after, pauseMs);
        const QString request = "AT" + Command(a).CommandName + "=?";
        const TExchangeResult x =
            B->Link()->ExchangeCommand(request, QString(), false, false, true);
        QCOMPARE(x.answer.endsWith(QString::fromLatin1(after)), read);
        QCOMPARE(x.answer.endsWith(QStringLiteral("\r\n>")), !read);
        B->Link()->AnswerReceived = true;
        B->Link()->RunPollProcessor(a, x.answer);
        QVERIFY(B->Link()->AnswerReceived);
        QCOMPARE(B->LogCount(kNotInCommandMode), read ? 1 : 0);
    }

    void answerWithoutPromptEndsOnTheTimeouts() {
        TIniOptions o;
        o.Timeout = 600;
        StartLinkOnly(o);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetInCommandMode(false); // the echo and nothing else
        const QString request = QStringLiteral("AT+SGDT=?");
        QElapsedTimer timer;
        timer.start();
        const TExchangeResult x =
            B->Link()->ExchangeCommand(request, QString(), false, false, true);
        QCOMPARE(x.answer, request + "\r");
        // A whole echo gives the answer the general time-out to come.
        QVERIFY(timer.elapsed() >= o.Timeout);
    }

    void deviceWithoutEchoIsStillRead() {
        StartLinkOnly();
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetEcho(false);
        QVERIFY(B->Link()->PollCommand(a));
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
    }

    void slowDeviceAnswerIsReadWhole() {
        StartLinkOnly();
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetChunking(7, 40); // gaps well under the 250 ms interval
        QVERIFY(B->Link()->PollCommand(a));
        QVERIFY(!B->Log().contains(QStringLiteral("Не получен ожидаемый ответ")));
        QVERIFY(!B->Log().contains(kNotInCommandMode));
    }

    void silentDeviceEndsWithinTimeouts() {
        TIniOptions o;
        o.RetryCount = 2;
        StartLinkOnly(o);
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetSilent(true);
        QVERIFY(B->Link()->PollCommand(a));
        QCOMPARE(B->LogCount(kNoAnswerRepeat), 1);
        QCOMPARE(B->LogCount(kNoAnswerGiveUp), 1);
        QCOMPARE(B->LogCount(kNotInCommandMode), 2);
    }

    void deviceThatNeverPausesStillEndsTheExchange() {
        StartLinkOnly(TIniOptions());
        QVERIFY(B->Link()->EnterCommandMode());
        // A stream without pauses: the answer must still end, bounded in size.
        B->Sim.SetStreamPeriod(1);
        const QString start = QStringLiteral("AT+SDAD=") + QLatin1String(kMasterPassword) +
                              QStringLiteral(",,3,,,,,,,,,,,");
        B->Link()->ExchangeCommand(start, QString(), true, true, true);
        QTRY_VERIFY_WITH_TIMEOUT(B->Sim.Streaming(), 5000);
        const TExchangeResult r =
            B->Link()->ExchangeCommand(QStringLiteral("AT+SGDT=?"), QString(), true, false, true);
        QVERIFY(!r.failed);
        QVERIFY(r.answer.size() > 1000);
        QVERIFY(r.answer.size() <= QStringLiteral("AT+SGDT=?\r").size() + 100 * 100);
    }

    // A device that stops reading cuts the write at its time-out: the short
    // count is logged, the exchange fails and nothing is read or retried.
    void shortWriteFailsWithoutReading() {
        StartBench();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.SetEcho(false);
        B->Sim.SetInputStalled(true);
        const QString big(4 * 1024 * 1024, QLatin1Char('w'));
        const TExchangeResult x =
            B->Link()->ExchangeCommand(big, QStringLiteral("AT+BIG"), false, false, true);
        B->Sim.SetInputStalled(false);
        QVERIFY(x.failed);
        QVERIFY(x.answer.isEmpty());
        const QStringList lines = B->Log().split(QLatin1Char('\n'));
        const QRegularExpression shortWrite(
            QStringLiteral("^E>Ошибка записи, записано (\\d+)/%1$").arg(big.size() + 1));
        const QStringList reported = lines.filter(shortWrite);
        QCOMPARE(reported.size(), 1);
        const qint64 written = shortWrite.match(reported.first()).captured(1).toLongLong();
        QVERIFY(written < big.size() + 1);
        // The request is still logged, and no answer after it.
        QCOMPARE(lines.last(), QStringLiteral(">AT+BIG"));
        QVERIFY(B->Driver->Boxes.isEmpty());
        QVERIFY(B->Link()->ComPort1->Connected());
        QVERIFY(B->Link()->InCommandMode);
    }

    void portVanishingMidExchangeAsksToRetry() {
        TIniOptions o;
        o.RetryCount = 1;
        StartBench(o, true);
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        B->Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Cancel); });
        B->Sim.VanishAfter(0);
        QVERIFY(!B->Link()->PollCommand(a));
        QCOMPARE(B->Driver->Boxes, QStringList{kRetryBox});
        QVERIFY(B->Log().contains(QStringLiteral("\nE<Ошибка чтения, исключение=")));
        QVERIFY(!B->Link()->InCommandMode);
        QVERIFY(!B->Link()->ComPort1->Connected());
        QCOMPARE(fmMain->StatusPanelText(3), QString());
        QCOMPARE(fmMain->StatusPanelText(4), QString());
    }

    // Cancel in the retry box or in the reconnect dialog is the operator's
    // no: the read ends there instead of offering the dialogs again.
    void cancelledPortFailureEndsTheRetries_data() {
        QTest::addColumn<bool>("midExchange");
        QTest::newRow("retry box") << true;
        QTest::newRow("reconnect dialog") << false;
    }
    void cancelledPortFailureEndsTheRetries() {
        QFETCH(bool, midExchange);
        TIniOptions o;
        o.RetryCount = 3;
        StartBench(o, true);
        const TCmdAddress a = FirstReadable();
        QVERIFY(B->Link()->EnterCommandMode());
        int boxes = 0, dialogs = 0;
        B->Driver->SetHandler([&](QWidget* modal, qint64) {
            if (modal == static_cast<QWidget*>(fmDeviceReconnect)) {
                ++dialogs;
                fmDeviceReconnect->btnCancel->click();
                return true;
            }
            if (!PressBox(modal, QMessageBox::Cancel))
                return false;
            ++boxes;
            return true;
        });
        if (midExchange) {
            B->Sim.VanishAfter(0);
        } else {
            B->Sim.Vanish();
            B->Link()->ComPort1->Close();
        }
        QVERIFY(!B->Link()->PollCommand(a));
        QCOMPARE(boxes, midExchange ? 1 : 0);
        QCOMPARE(dialogs, midExchange ? 0 : 1);
        QCOMPARE(B->LogCount(kNoAnswerRepeat), 0);
        QCOMPARE(B->LogCount(kNoAnswerGiveUp), 1);
    }

    void portVanishingInQuietExchangeShowsNothing() {
        StartBench({}, true);
        QVERIFY(B->Link()->EnterCommandMode());
        B->Sim.VanishAfter(0);
        const TExchangeResult x =
            B->Link()->ExchangeCommand(QStringLiteral("AT+XXXX=?"), QString(), true, false, true);
        QVERIFY(x.failed);
        QVERIFY(B->Driver->Boxes.isEmpty());
        QVERIFY(!B->Link()->ComPort1->Connected());
        // A quiet exchange on a port that cannot be opened returns at once,
        // empty and not failed.
        const TExchangeResult y =
            B->Link()->ExchangeCommand(QStringLiteral("AT+XXXX=?"), QString(), true, false, true);
        QVERIFY(!y.failed);
        QVERIFY(y.answer.isEmpty());
        QVERIFY(B->Log().contains(QStringLiteral("]Не могу открыть порт, исключение=")));
        // The next line says why: the port is gone.
        static const QRegularExpression why(QStringLiteral(
            "\\]Не могу открыть порт, исключение=[^\\n]*\\n[^\\n]*\\]Порта \\S+ нет"));
        QVERIFY2(B->Log().contains(why), qPrintable(B->Log()));
    }

    void closedPortOffersReconnectDialogUnlessQuiet() {
        TIniOptions o;
        o.RetryCount = 1;
        StartBench(o, true);
        const TCmdAddress a = FirstReadable();
        B->Sim.Vanish();
        int dialogs = 0;
        B->Driver->SetHandler([&](QWidget* modal, qint64) {
            if (modal != static_cast<QWidget*>(fmDeviceReconnect))
                return false;
            ++dialogs;
            fmDeviceReconnect->btnCancel->click();
            return true;
        });
        const QString request = "AT" + Command(a).CommandName + "=?";
        const TExchangeResult quiet =
            B->Link()->ExchangeCommand(request, QString(), true, false, true);
        QCOMPARE(dialogs, 0);
        QVERIFY(!quiet.failed);
        const TExchangeResult loud =
            B->Link()->ExchangeCommand(request, QString(), false, false, true);
        QCOMPARE(dialogs, 1);
        QVERIFY(!loud.failed);
        QVERIFY(loud.answer.isEmpty());
        // Nothing was sent, so nothing was logged as sent.
        QCOMPARE(B->LogCount(">" + request), 0);
    }

    void retryAfterPortCameBackResendsTheLine() {
        StartBench({}, true);
        const TCmdAddress a = FirstReadable();
        const QString request = "AT" + Command(a).CommandName + "=?";
        QVERIFY(B->Link()->EnterCommandMode());
        B->Driver->SetHandler([this](QWidget* modal, qint64) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box)
                return false;
            B->Sim.Reappear();
            B->Sim.SetInCommandMode(true);
            return PressBox(modal, QMessageBox::Retry);
        });
        B->Sim.VanishAfter(0);
        const TExchangeResult x =
            B->Link()->ExchangeCommand(request, QString(), false, false, true);
        QVERIFY(!x.failed);
        QVERIFY(x.answer.contains(QStringLiteral("+RESP:")));
        QCOMPARE(B->Driver->Boxes, QStringList{kRetryBox});
        // The retry logs the answer, then the first call logs it again.
        const QStringList lines = B->Log().split(QLatin1Char('\n'));
        const QStringList responses = lines.filter(QStringLiteral("<+RESP:"));
        QCOMPARE(responses.size(), 2);
        QCOMPARE(B->LogCount(">" + request), 2);
        QVERIFY(B->Link()->ComPort1->Connected());
    }
};

QTEST_MAIN(TestTransactions)
#include "tst_transactions.moc"
