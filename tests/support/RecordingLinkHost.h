#pragma once

// A link host that answers unattended and keeps what the link told it: log
// lines (as given and as the log pane would show them), questions, progress.

#include "link/DeviceLink.h"
#include "link/LinkHost.h"
#include "link/LogFormat.h"

#include <QStringList>

namespace testkit {

constexpr int kUnattendedEntryMs = 5000;

class TRecordingHost : public TLinkHost {
public:
    QStringList Log;       // the texts as the link wrote them
    QStringList PaneLines; // the same, line by line with their prefixes
    QStringList Errors;
    int RetryQuestions = 0;
    bool RetryAnswer = false; // what AskRetry answers
    int PortWaits = 0;
    int StateChanges = 0;
    int ProgressMaximum = -1;
    int ProgressValue = -1;
    bool Finished = false;

    void WriteLog(const QString& text, LogKind kind) override {
        Log << text;
        PaneLines << FormatLogLines(text, LogPrefix(kind));
    }
    bool AskRetry() override {
        ++RetryQuestions;
        return RetryAnswer;
    }
    bool WaitForPort(TDeviceLink&) override {
        ++PortWaits;
        return false;
    }
    bool RunConnectDialog(TDeviceLink& link) override {
        return RunUnattendedEntry(link, kUnattendedEntryMs);
    }
    void ShowDeviceError(const QString& text) override { Errors << text; }
    void LinkStateChanged(TDeviceLink&) override { ++StateChanges; }
    void ProgressStart(int maximum) override {
        ProgressMaximum = maximum;
        ProgressValue = 0;
        Finished = false;
    }
    void ProgressSetValue(int value) override { ProgressValue = value; }
    void ProgressStep(int by) override { ProgressValue += by; }
    void ProgressExtend(int by) override { ProgressMaximum += by; }
    void ProgressFinish() override {
        ProgressValue = ProgressMaximum;
        Finished = true;
    }

    int Count(const QString& text) const { return int(Log.count(text)); }
    // The log as the pane shows it, one line per line.
    QString PaneText() const { return PaneLines.join(QLatin1Char('\n')); }
};

} // namespace testkit
