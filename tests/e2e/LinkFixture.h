#pragma once

// Shared pieces of the link suites: a simulated tracker on a pty, the six
// windows created against a private Velmora.ini, and a driver that answers
// modal boxes and dialogs (with a watchdog, so nothing is left blocking).

#include "TestProfile.h"
#include "TrackerSim.h"
#include "app/Forms.h"
#include "app/TfmMain.h"
#include "link/ComPort.h"
#include "link/TfmDeviceReconnect.h"
#include "link/TfmWaitingData.h"
#include "pages/EditorAccess.h"
#include "profile/ProfileLoader.h"
#include "settings/Settings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace linktest {

constexpr char kUserPassword[] = "2222";
constexpr char kMasterPassword[] = "9981";
constexpr int kDriverTickMs = 20;
constexpr int kWatchdogMs = 20000;

// Answers whatever modal window is up. The handler gets the window and the
// milliseconds it has been up; it returns true once it has dealt with it.
// A window nobody deals with in time is closed and reported.
class TModalDriver : public QObject {
public:
    using THandler = std::function<bool(QWidget* modal, qint64 upMs)>;

    explicit TModalDriver(QObject* parent = nullptr) : QObject(parent) {
        FTimer.setInterval(kDriverTickMs);
        connect(&FTimer, &QTimer::timeout, this, [this] { Tick(); });
        FTimer.start();
    }

    void SetHandler(THandler handler) { FHandler = std::move(handler); }

    // "caption|text" of every message box seen, in order.
    QStringList Boxes;
    QStringList WatchdogClosed;

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != FCurrent) {
            FCurrent = modal;
            FSince.start();
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                Boxes << box->windowTitle() + QLatin1Char('|') + box->text();
        }
        if (!modal)
            return;
        if (FHandler && FHandler(modal, FSince.elapsed())) {
            FCurrent = nullptr;
            return;
        }
        if (FSince.elapsed() > kWatchdogMs) {
            WatchdogClosed << modal->metaObject()->className();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
            FCurrent = nullptr;
        }
    }

    QTimer FTimer;
    THandler FHandler;
    QWidget* FCurrent = nullptr;
    QElapsedTimer FSince;
};

// Presses the standard button of a message box whose text matches.
inline bool PressBox(QWidget* modal, QMessageBox::StandardButton which) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box || !box->button(which))
        return false;
    box->button(which)->click();
    return true;
}

struct TIniOptions {
    QString Port;
    int RetryCount = 3;
    int ConnectMethod = 0;
    bool PortPoll = false;
    int Timeout = 250;
    int TimeoutInterval = 250;
    int TimeoutEcho = 250;
    bool EndOnPrompt = true;
    QString Password = QString::fromLatin1(kUserPassword);
    QString MasterPassword = QString::fromLatin1(kMasterPassword);
    // Empty: a register file of the test's own folder.
    QString RegisterDatabase;
    bool Record = true;
    int IdentityTimeoutSec = 5;
};

inline bool WriteIni(const QString& folder, const TIniOptions& o) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(kSettingsFileName)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QString text =
        QStringLiteral("[Connection]\r\nCOM=%1\r\nSpeed=115200\r\nDataBits=8\r\n"
                       "Parity=None\r\nStopBits=1\r\nTimeout=%2\r\n"
                       "TimeoutInterval=%3\r\nTimeoutEcho=%4\r\n"
                       "EndOnPrompt=%10\r\n"
                       "[Device]\r\nPassword=%5\r\nMasterPassword=%6\r\n"
                       "RetryCount=%7\r\nConnectMethod=%8\r\nPortPoll=%9\r\n"
                       "[Interface]\r\nEnabledPages=*\r\n"
                       "[Register]\r\nDatabase=%11\r\nRecord=%12\r\nIdentityTimeout=%13\r\n")
            .arg(o.Port)
            .arg(o.Timeout)
            .arg(o.TimeoutInterval)
            .arg(o.TimeoutEcho)
            .arg(o.Password, o.MasterPassword)
            .arg(o.RetryCount)
            .arg(o.ConnectMethod)
            .arg(o.PortPoll ? 1 : 0)
            .arg(o.EndOnPrompt ? 1 : 0)
            .arg(o.RegisterDatabase.isEmpty()
                     ? QDir(folder).filePath(QStringLiteral("register.sqlite"))
                     : o.RegisterDatabase)
            .arg(o.Record ? 1 : 0)
            .arg(o.IdentityTimeoutSec);
    return file.write(text.toLatin1()) > 0;
}

inline QString ShippedProfilePath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("cmdprofile.xml"));
}

// The shipped profile without the command elements named (e.g. "+TEXT").
inline QByteArray ProfileWithout(const QString& commandName) {
    QFile file(ShippedProfilePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    const QString key = QStringLiteral("command=\"") + commandName + QLatin1Char('"');
    for (;;) {
        const int at = text.indexOf(key);
        if (at < 0)
            break;
        const int start = text.lastIndexOf(QStringLiteral("<command"), at);
        int end = text.indexOf(QStringLiteral("</command>"), at);
        const int selfEnd = text.indexOf(QStringLiteral("/>"), at);
        const int nextOpen = text.indexOf(QLatin1Char('>'), at);
        if (selfEnd >= 0 && selfEnd + 1 == nextOpen)
            end = selfEnd + 2;
        else if (end >= 0)
            end += int(qstrlen("</command>"));
        if (start < 0 || end < 0)
            break;
        text.remove(start, end - start);
    }
    return text.toUtf8();
}

// One simulated tracker and the program's windows, set up per test.
class TLinkBench {
public:
    TTrackerSim Sim;
    QTemporaryDir Dir;
    TModalDriver* Driver = nullptr;
    TIniOptions Options;

    bool Start(const TIniOptions& options = {}, bool useLink = false) {
        if (!Sim.Start()) {
            Error = Sim.ErrorText();
            return false;
        }
        Sim.SetPasswords(QString::fromLatin1(kUserPassword), QString::fromLatin1(kMasterPassword));
        Options = options;
        if (useLink) {
            const QString link = Dir.filePath(QStringLiteral("ttyTracker"));
            if (!Sim.PublishLink(link)) {
                Error = QStringLiteral("cannot publish the link");
                return false;
            }
            Options.Port = link;
        } else {
            Options.Port = Sim.SlavePath();
        }
        SetSettingsFolder(Dir.path());
        if (!WriteIni(Dir.path(), Options)) {
            Error = QStringLiteral("cannot write the settings file");
            return false;
        }
        CreateForms();
        Driver = new TModalDriver(fmMain);
        return true;
    }

    // Swaps the program's profile for another and rebuilds the pages.
    void UseProfile(const QByteArray& data) {
        LoadCommandProfileFromData(data);
        fmMain->BuildPages();
        fmMain->ApplySettings();
    }

    void Stop() {
        DestroyForms();
        Driver = nullptr;
        Sim.Stop();
    }

    QString Log() const { return fmMain ? fmMain->LogLines->toPlainText() : QString(); }
    int LogCount(const QString& line) const { return Log().split(QLatin1Char('\n')).count(line); }

    QString Error;
};

// Page and command of a command name; page -1 when absent.
inline TCmdAddress Address(const QString& name, int row = 0) {
    TCmdAddress a = FindCommand(name);
    a.Row = row;
    a.Param = 0;
    return a;
}

inline const TDevCommand& Command(const TCmdAddress& a) {
    return DevCommands[a.Page].Commands[a.Command];
}

// The page button with this caption on a page.
inline QPushButton* PageButton(int page, const QString& caption) {
    QWidget* tab = fmMain->PageControl1->widget(page);
    if (!tab)
        return nullptr;
    for (QPushButton* b : tab->findChildren<QPushButton*>())
        if (b->text() == caption)
            return b;
    return nullptr;
}

// A value the parameter accepts and that differs from what it shows now.
inline QString DistinctValue(const TCmdParameter& p, int row, int param, const QString& now) {
    switch (p.ParamKind) {
    case pkInteger: {
        const qint64 lo = qMax<qint64>(p.MinValue, -2147483647LL);
        const qint64 hi = qMin<qint64>(p.MaxValue, 2147483647LL);
        qint64 v = lo + (hi - lo) / 3 + row + param;
        if (v > hi)
            v = hi;
        if (QString::number(v) == now && v > lo)
            --v;
        return QString::number(v);
    }
    case pkHex: {
        const int len = p.MaxLen > 0 ? p.MaxLen : 8;
        QString v = QStringLiteral("%1").arg(row * 16 + param + 1, len, 16, QLatin1Char('0'));
        return v.right(len).toUpper();
    }
    case pkOption:
        for (const TCmdOption& o : p.Options)
            if (o.OptionValue != now)
                return o.OptionValue;
        return now;
    case pkString:
        break;
    }
    QString v = QStringLiteral("v%1r%2").arg(param).arg(row);
    if (p.MaxLen > 0)
        v = v.left(p.MaxLen);
    return v == now ? v.left(qMax(1, v.size() - 1)) : v;
}

// What the editor shows in the sense of the wire: option value or text.
inline QString EditorValue(const TCmdParameter& p, QWidget* editor) {
    if (p.ParamKind == pkOption) {
        const int i = SelectedOption(editor);
        return i >= 0 && i < p.Options.size() ? p.Options[i].OptionValue : QString();
    }
    return EditorText(editor);
}

inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// The common end of a test: no dialog was left for the watchdog, then the
// windows and the simulated tracker go.
inline void EndBench(std::unique_ptr<TLinkBench>& bench) {
    if (bench) {
        QVERIFY(bench->Driver->WatchdogClosed.isEmpty());
        bench->Stop();
    }
    bench.reset();
}

} // namespace linktest
