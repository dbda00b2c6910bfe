#pragma once

#include "register/RegisterEvent.h"

#include <QByteArray>
#include <QString>

// An event as a front end records it. A write or restore carries snapshots
// of a few KB with a NUL and bytes no text encoding takes; every change has
// a comma and quotes in its new value.
inline TRegisterEvent SampleEvent(const QString& unit, TRegisterAction action, int changes = 0) {
    TRegisterEvent e;
    e.Unit = unit;
    e.Model = QStringLiteral("VT-300");
    e.UnitId = QStringLiteral("77");
    e.Firmware = QStringLiteral("3.1.4");
    e.Port = QStringLiteral("/dev/ttyUSB0");
    e.Action = action;
    e.Result = QStringLiteral("ok");
    for (int i = 0; i < changes; ++i)
        e.Changes << TRegisterChange{QStringLiteral("+SGDT"),
                                     i,
                                     1,
                                     QStringLiteral("Период, с"),
                                     QString::number(i),
                                     QStringLiteral("значение, \"%1\"").arg(i + 10)};
    if (action == raWrite || action == raRestore) {
        e.Before = QByteArray::fromHex("789c00") + unit.toLatin1() + QByteArray(3000, '\x01');
        e.After = QByteArray::fromHex("789c00ff0d0a") + QByteArray(2000, '\xfe');
    }
    return e;
}
