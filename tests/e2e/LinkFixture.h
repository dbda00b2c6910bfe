#pragma once

// Shared pieces of the link suites: a simulated tracker on a pty and, against
// a private Velmora.ini, either the program's windows or the link alone with
// a recording host and the pages on a plain window.

#include "TrackerSim.h"
#include "app/Forms.h"
#include "app/TfmMain.h"
#include "link/ComPort.h"
#include "link/TfmDeviceReconnect.h"
#include "link/TfmWaitingData.h"
#include "pages/EditorAccess.h"
#include "profile/ProfileLoader.h"
#include "settings/Settings.h"
#include "support/ModalDriver.h"
#include "support/PageBench.h"
#include "support/ProfileBuilders.h"
#include "support/RecordingLinkHost.h"
#include "support/ShippedProfile.h"
#include "support/TestProfile.h"

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

using testkit::Address;
using testkit::kTestProfile;
using testkit::PressBox;
using testkit::ProfileWithout;
using testkit::ShippedProfilePath;
using testkit::TModalDriver;

constexpr char kUserPassword[] = "2222";
constexpr char kMasterPassword[] = "9981";

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
};

inline bool WriteIni(const QString& folder, const TIniOptions& o) {
    QFile file(QDir(folder).filePath(QString::fromLatin1(kSettingsFileName)));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QString text = QStringLiteral("[Connection]\r\nCOM=%1\r\nSpeed=115200\r\nDataBits=8\r\n"
                                        "Parity=None\r\nStopBits=1\r\nTimeout=%2\r\n"
                                        "TimeoutInterval=%3\r\nTimeoutEcho=%4\r\n"
                                        "EndOnPrompt=%10\r\n"
                                        "[Device]\r\nPassword=%5\r\nMasterPassword=%6\r\n"
                                        "RetryCount=%7\r\nConnectMethod=%8\r\nPortPoll=%9\r\n"
                                        "[Interface]\r\nEnabledPages=*\r\n")
                             .arg(o.Port)
                             .arg(o.Timeout)
                             .arg(o.TimeoutInterval)
                             .arg(o.TimeoutEcho)
                             .arg(o.Password, o.MasterPassword)
                             .arg(o.RetryCount)
                             .arg(o.ConnectMethod)
                             .arg(o.PortPoll ? 1 : 0)
                             .arg(o.EndOnPrompt ? 1 : 0);
    return file.write(text.toLatin1()) > 0;
}

// Where a bench runs the link: inside the program's windows, or alone.
enum class THostKind { Windows, LinkOnly };

// One simulated tracker and the program's windows, or the link with a
// recording host and the pages (no windows), set up per test.
class TLinkBench {
public:
    TTrackerSim Sim;
    QTemporaryDir Dir;
    TModalDriver* Driver = nullptr;
    TIniOptions Options;

    bool Start(const TIniOptions& options = {}, bool useLink = false,
               THostKind kind = THostKind::Windows) {
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
        if (kind == THostKind::LinkOnly) {
            StartLinkOnly();
            return true;
        }
        CreateForms();
        Driver = new TModalDriver(fmMain);
        return true;
    }

    // Swaps the program's profile for another and rebuilds the pages.
    void UseProfile(const QByteArray& data) {
        LoadCommandProfileFromData(data);
        if (!FLink) {
            fmMain->BuildPages();
            fmMain->ApplySettings();
            return;
        }
        FPages->Build();
        ApplySettings();
    }

    void Stop() {
        if (FLink) {
            FLink->SetHost(nullptr);
            FLink->SetValues(nullptr);
            FLink->ComPort1->Close();
            FLink.reset();
            FPages.reset();
        } else {
            DestroyForms();
        }
        Driver = nullptr;
        Sim.Stop();
    }

    // The link and the pages the test works on, wherever they run.
    TDeviceLink* Link() const { return FLink ? FLink.get() : fmMain->Link; }
    TParameterPages* Pages() const { return FPages ? FPages->Pages : fmMain->Pages; }
    bool LinkOnly() const { return FLink != nullptr; }
    // What the link asked the host when it runs alone.
    const testkit::TRecordingHost& Host() const { return FHost; }

    // The log as the pane shows it.
    QString Log() const {
        if (FLink)
            return FHost.PaneText();
        return fmMain ? fmMain->LogLines->toPlainText() : QString();
    }
    int LogCount(const QString& line) const { return Log().split(QLatin1Char('\n')).count(line); }

    QString Error;

private:
    void StartLinkOnly() {
        LoadSettings();
        LoadCommandProfile(ShippedProfilePath());
        FPages = std::make_unique<testkit::TPageBench>();
        FPages->Build();
        FLink = std::make_unique<TDeviceLink>();
        FLink->SetHost(&FHost);
        FLink->SetValues(FPages->Pages);
        ApplySettings();
    }
    // As the window applies the settings file: on a closed port.
    void ApplySettings() {
        if (FLink->ComPort1->Connected())
            FLink->ComPort1->Close();
        FLink->ApplySettings(Settings.Link);
    }

    testkit::TRecordingHost FHost;
    std::unique_ptr<testkit::TPageBench> FPages;
    std::unique_ptr<TDeviceLink> FLink;
};

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

// The common end of a test: no dialog was left for the watchdog (alone, the
// link asked nothing a dialog would have asked), then the windows or the link
// and the simulated tracker go.
inline void EndBench(std::unique_ptr<TLinkBench>& bench) {
    if (bench) {
        if (bench->LinkOnly()) {
            QCOMPARE(bench->Host().RetryQuestions, 0);
            QCOMPARE(bench->Host().PortWaits, 0);
            QCOMPARE(bench->Host().Errors, QStringList());
        } else {
            QVERIFY(bench->Driver->WatchdogClosed.isEmpty());
        }
        bench->Stop();
    }
    bench.reset();
}

} // namespace linktest
