#include "ResponseRoutines.h"

#include "DeviceLink.h"

#include <QHash>

namespace {

using TRegistry = QHash<QString, TResponseRoutine>;

// Keys upper-cased: profile names compare without regard to case.
const TRegistry& Registry() {
    // A function-local static is built exactly once even when several
    // threads ask first at the same time.
    static const TRegistry registry = {
        {QString(), &TDeviceLink::DefaultProcessor},
        {QStringLiteral("NONPOLL"), &TDeviceLink::NonPollProcessor},
        {QStringLiteral("EXITCMD"), &TDeviceLink::ExitCmdProcessor},
    };
    return registry;
}

} // namespace

TResponseRoutine FindResponseRoutine(const QString& name) {
    const TRegistry& registry = Registry();
    return registry.value(name.toUpper(), registry.value(QString()));
}
