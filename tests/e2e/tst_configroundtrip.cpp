#include "e2e/LinkFixture.h"

#include <QRegularExpression>
#include <QtTest>
#include <memory>

using namespace linktest;

// An operator reads one tracker page by page, saves the configuration, starts
// the program afresh, loads the file and writes it page by page to a second
// tracker that held other values: both trackers then agree on every value the
// file carried to the second one.

namespace {

const QString kApplyPage = QStringLiteral("Применить страницу");
const QString kPollPage = QStringLiteral("Получить страницу");

bool IsExitCommand(const TDevCommand& cmd) {
    return cmd.PollProcessorName.compare(QStringLiteral("exitcmd"), Qt::CaseInsensitive) == 0;
}

bool Matches(const QString& mask, const QString& text) {
    return mask.isEmpty() || QRegularExpression(mask).match(text).hasMatch();
}

// A value of the parameter that its editor, the file loader and the device all
// accept; seed tells the two trackers apart, row and param the fields.
QString ValidValue(const TCmdParameter& p, int seed, int row, int param) {
    const int n = seed * 37 + row * 7 + param;
    switch (p.ParamKind) {
    case pkInteger: {
        if (p.MinValue >= p.MaxValue)
            return QString::number(p.MinValue);
        const qint64 lo = qMax<qint64>(p.MinValue, -1000000);
        const qint64 hi = qMin<qint64>(p.MaxValue, 1000000);
        return QString::number(lo + (n + 1) % (hi - lo + 1));
    }
    case pkHex: {
        const int len = qMax(1, p.MaxLen);
        const qint64 top = len >= 8 ? 0xFFFFFFFFLL : (qint64(1) << (4 * len)) - 1;
        const qint64 lo = qMax<qint64>(p.MinValue, 0);
        const qint64 hi = qMin<qint64>(p.MaxValue, top);
        const qint64 v = hi > lo ? lo + (n * 0x1011 + 1) % (hi - lo + 1) : lo;
        return QString::number(v, 16).toUpper().rightJustified(len, QLatin1Char('0'));
    }
    case pkOption:
        return p.Options.isEmpty() ? QString()
                                   : p.Options[(seed + row + param) % p.Options.size()].OptionValue;
    case pkString:
        break;
    }
    // Cyrillic first, so that the file's UTF-8 and the line's code page are
    // crossed; then the forms the profile's masks ask for.
    const QString digits = QString::number(10000 + n);
    const QStringList candidates = {
        QStringLiteral("Трек %1").arg(n),
        QStringLiteral("h%1.example").arg(n),
        digits,
        digits.right(4),
        QStringLiteral("+7900%1").arg(digits),
        QStringLiteral("*1%1#").arg(n),
    };
    for (const QString& c : candidates)
        if ((p.MaxLen <= 0 || c.size() <= p.MaxLen) && Matches(p.OnCharMask, c) &&
            Matches(p.OnLeaveMask, c))
            return c;
    return QString();
}

struct TField {
    QString Command;
    int Row;
    int Param;
    QString Key() const {
        return Command + QLatin1Char('/') + QString::number(Row) + QLatin1Char('/') +
               QString::number(Param);
    }
};

} // namespace

class TestConfigRoundTrip : public QObject {
    Q_OBJECT

    // Gives every field of every exported command a value of its own.
    static bool FillTracker(TTrackerSim& sim, int seed, QString* failed) {
        for (const TCmdPage& page : DevCommands)
            for (const TDevCommand& cmd : page.Commands) {
                if (!cmd.ExportData)
                    continue;
                for (int r = 0; r < cmd.RowCount(); ++r)
                    for (int k = 0; k < cmd.Parameters.size(); ++k) {
                        const QString v = ValidValue(cmd.Parameters[k], seed, r, k);
                        if (!sim.SetValue(cmd.CommandName, r, k, v)) {
                            *failed = cmd.CommandName + "/" + QString::number(r) + "/" +
                                      QString::number(k) + "=" + v;
                            return false;
                        }
                    }
            }
        return true;
    }

    static void PressOnEveryPage(const QString& caption) {
        for (int page = 0; page < fmMain->PageControl1->count(); ++page) {
            QPushButton* button = PageButton(page, caption);
            QVERIFY(button);
            button->click();
            QVERIFY2(fmMain->Link->InCommandMode,
                     qPrintable(caption + " " + QString::number(page)));
        }
    }

private Q_SLOTS:
    void readSaveLoadWriteGivesIdenticalTrackers() {
        TLinkBench first;
        QVERIFY2(first.Start(), qPrintable(first.Error));
        first.Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Ok); });
        QString failed;
        QVERIFY2(FillTracker(first.Sim, 1, &failed), qPrintable(failed));

        QVERIFY(fmMain->Link->EnterCommandMode());
        PressOnEveryPage(kPollPage);

        // One switch off: the file marks it, and the second tracker keeps
        // its own value there.
        TField off{QString(), -1, -1};
        QVector<TField> exported;
        QMap<QString, QString> shown; // "command/row/param" -> editor value at saving
        for (int page = 0; page < DevCommands.size(); ++page)
            for (int c = 0; c < DevCommands[page].Commands.size(); ++c) {
                const TDevCommand& cmd = DevCommands[page].Commands[c];
                if (!cmd.ExportData)
                    continue;
                for (int r = 0; r < cmd.RowCount(); ++r)
                    for (int k = 0; k < cmd.Parameters.size(); ++k) {
                        const TCmdParameter& p = cmd.Parameters[k];
                        if (off.Row < 0 && p.Optional && cmd.GroupSetData == gsYes &&
                            !IsExitCommand(cmd)) {
                            off = {cmd.CommandName, r, k};
                            SetSwitchChecked(fmMain->Pages->FindControl(page, c, r, k, crSwitch),
                                             false);
                        }
                        exported.append({cmd.CommandName, r, k});
                        shown.insert(
                            exported.last().Key(),
                            EditorValue(p, fmMain->Pages->FindControl(page, c, r, k, crEditor)));
                    }
            }
        QVERIFY(!exported.isEmpty());
        QVERIFY(off.Row >= 0);

        const QString file = first.Dir.filePath(QStringLiteral("tracker.zxml"));
        fmMain->SaveConfiguration(file);
        QVERIFY(QFile::exists(file));
        QVERIFY(first.Driver->Boxes.isEmpty());
        QVERIFY(first.Driver->WatchdogClosed.isEmpty());

        // A fresh start of the program against the second tracker.
        DestroyForms();
        TLinkBench second;
        QVERIFY2(second.Start(), qPrintable(second.Error));
        second.Driver->SetHandler(
            [](QWidget* modal, qint64) { return PressBox(modal, QMessageBox::Ok); });
        QVERIFY2(FillTracker(second.Sim, 2, &failed), qPrintable(failed));
        QMap<QString, QString> before;
        for (const TField& f : exported)
            before.insert(f.Key(), second.Sim.Value(f.Command, f.Row, f.Param));

        const QString logBefore = second.Log();
        fmMain->LoadConfiguration(file);
        // A file of the same profile loads without a word.
        QCOMPARE(second.Log(), logBefore);
        const TCmdAddress offAt = Address(off.Command);
        QVERIFY(!SwitchChecked(
            fmMain->Pages->FindControl(offAt.Page, offAt.Command, off.Row, off.Param, crSwitch)));

        QVERIFY(fmMain->Link->EnterCommandMode());
        PressOnEveryPage(kApplyPage);
        QVERIFY(second.Driver->Boxes.isEmpty());
        QVERIFY(!second.Log().contains(QStringLiteral("Процесс прерван")));

        // Compared: every field the page apply writes, that is every
        // switched-on parameter of a command with SetData that is not gsNo.
        // The switched-off field and the gsNo commands keep the second
        // tracker's own values. A parameter the reading does not overwrite
        // carried the value the editor showed, not the first tracker's.
        int identical = 0;
        QStringList differ;        // every field but those below
        QStringList differIndexed; // rows after the first of indexed commands
        for (const TField& f : exported) {
            const QString key = f.Key();
            const TDevCommand& cmd = Command(Address(f.Command));
            const TCmdParameter& p = cmd.Parameters[f.Param];
            const QString now = second.Sim.Value(f.Command, f.Row, f.Param);
            const bool written =
                cmd.SetData && cmd.GroupSetData != gsNo &&
                !(f.Command == off.Command && f.Row == off.Row && f.Param == off.Param);
            if (!written) {
                QVERIFY2(now == before.value(key), qPrintable(key));
                continue;
            }
            const QString want = p.Overwrite && cmd.PollData
                                     ? first.Sim.Value(f.Command, f.Row, f.Param)
                                     : shown.value(key);
            if (now == want)
                ++identical;
            else
                (cmd.Indexed && f.Row > 0 ? differIndexed : differ)
                    << key + ": " + now + " != " + want;
        }
        QCOMPARE(differ, QStringList());
        // Writing one row of an indexed command is answered with every row
        // the tracker holds; only the written row may take the answer, or
        // the rows still to be written would fall back to the old values.
        QCOMPARE(differIndexed, QStringList());
        QVERIFY(identical > exported.size() / 2);
        QVERIFY(second.Driver->WatchdogClosed.isEmpty());
        second.Stop();
        first.Sim.Stop();
    }
};

QTEST_MAIN(TestConfigRoundTrip)
#include "tst_configroundtrip.moc"
