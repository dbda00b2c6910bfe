#pragma once

#include "base/LogKind.h"

#include <QString>

class TDeviceLink;

// What a device link asks of the one who runs it: only the host knows how
// to show a log line, ask the operator or wait for a device. The window
// answers with its dialogs; a batch front end or a test answers by itself.
// Every call comes from the link's own thread.
class TLinkHost {
public:
    virtual ~TLinkHost() = default;

    virtual void WriteLog(const QString& text, LogKind kind) = 0;
    // A transfer failed and the port is closed: true to try once more.
    virtual bool AskRetry() = 0;
    // The port would not open: wait for the device to come back. True when
    // the link's port is open afterwards.
    virtual bool WaitForPort(TDeviceLink& link) = 0;
    // Runs entry attempts (TDeviceLink::TryEnterCommandMode) until one
    // succeeds or the operator gives up. True when the device is in command
    // mode.
    virtual bool RunConnectDialog(TDeviceLink& link) = 0;
    // The tracker refused a command (password, permission, parameters).
    virtual void ShowDeviceError(const QString& text) = 0;
    // Port open/closed or command mode on/off changed (or may have).
    virtual void LinkStateChanged(TDeviceLink& link) = 0;

    // Progress of the page operations and of the entry loop.
    virtual void ProgressStart(int maximum) = 0; // value 0 of maximum
    virtual void ProgressSetValue(int value) = 0;
    virtual void ProgressStep(int by) = 0;
    virtual void ProgressExtend(int by) = 0; // the maximum grows by that much
    virtual void ProgressFinish() = 0;       // value at the maximum
};

// Logs to nowhere and declines every question: a link with no host of its
// own uses it, so the link never needs to check for one.
class TNullLinkHost : public TLinkHost {
public:
    void WriteLog(const QString&, LogKind) override {}
    bool AskRetry() override { return false; }
    bool WaitForPort(TDeviceLink&) override { return false; }
    bool RunConnectDialog(TDeviceLink&) override { return false; }
    void ShowDeviceError(const QString&) override {}
    void LinkStateChanged(TDeviceLink&) override {}
    void ProgressStart(int) override {}
    void ProgressSetValue(int) override {}
    void ProgressStep(int) override {}
    void ProgressExtend(int) override {}
    void ProgressFinish() override {}
};
