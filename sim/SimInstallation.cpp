#include "SimInstallation.h"

#include <QStringList>

namespace {

const char* const kFaultNames[ifCount] = {"selftest", "nofix",    "noserver",
                                          "voltage",  "ignition", "memory"};

} // namespace

bool TSimInstallation::IgnitionAt(qint64 elapsedMs) const {
    if (Fault(ifIgnitionStuck))
        return false;
    const int toggle = FToggleMs;
    if (toggle > 0)
        return (elapsedMs / toggle) % 2 == 1;
    return FIgnition;
}

void TSimInstallation::SetFault(TInstallFault fault, bool on) {
    if (on)
        FFaults |= 1u << fault;
    else
        FFaults &= ~(1u << fault);
}

TInstallFault TSimInstallation::FaultByName(const QString& name) {
    for (int f = 0; f < ifCount; ++f)
        if (name == QLatin1String(kFaultNames[f]))
            return TInstallFault(f);
    return ifCount;
}

QString TSimInstallation::FaultNames() {
    QStringList names;
    for (const char* name : kFaultNames)
        names << QLatin1String(name);
    return names.join(QStringLiteral(", "));
}
