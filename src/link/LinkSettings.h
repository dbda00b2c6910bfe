#pragma once

#include <QString>

// Everything the device link needs to know of the settings, as one plain
// record: a link never reads the global settings itself, so front ends can
// override single fields (password, speed, ...) per link.
struct TLinkSettings {
    QString Port = QStringLiteral("COM1");
    qint32 Speed = 115200;
    qint32 DataBits = 8;
    QString Parity = QStringLiteral("None");
    QString StopBits = QStringLiteral("1");
    qint32 Timeout = 250;         // ms: answer after a whole echo, and writes
    qint32 TimeoutInterval = 250; // ms: gap that ends an answer
    qint32 TimeoutEcho = 250;     // ms: wait for the echo of a request
    // An answer ends on the device's ">" prompt instead of on the time-outs.
    bool EndOnPrompt = true;
    qint32 RetryCount = 3;
    QString Password;
    QString MasterPassword;
    // 1: an echo alone on entry means the device is in command mode already.
    qint32 ConnectMethod = 0;

    // The master password when one is set, else the user's: what entry, exit,
    // store and the status stream send. Derived, so it never disagrees.
    QString ActivePassword() const { return MasterPassword.isEmpty() ? Password : MasterPassword; }
};
