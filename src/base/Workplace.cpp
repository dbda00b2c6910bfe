#include "Workplace.h"

#include <QSysInfo>
#include <QVarLengthArray>
#include <QtGlobal>
#include <cerrno>
#include <pwd.h>
#include <unistd.h>

namespace {
// getpwuid_r's buffer when sysconf gives no hint, and the most it may grow to.
constexpr long kPasswdBufferDefault = 1024;
constexpr long kPasswdBufferMax = 1L << 20;
} // namespace

QString OperatorLoginName() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    if (size <= 0)
        size = kPasswdBufferDefault;
    for (; size <= kPasswdBufferMax; size *= 2) {
        QVarLengthArray<char, kPasswdBufferDefault> buffer(size);
        passwd entry{};
        passwd* found = nullptr;
        const int rc = ::getpwuid_r(::geteuid(), &entry, buffer.data(), size_t(size), &found);
        if (rc == ERANGE)
            continue;
        if (rc == 0 && found && found->pw_name && *found->pw_name)
            return QString::fromLocal8Bit(found->pw_name);
        break;
    }
    for (const char* name : {"USER", "LOGNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    return QString::number(::geteuid());
}

TWorkplace CurrentWorkplace() {
    TWorkplace place;
    place.Bench = QSysInfo::machineHostName();
    place.Operator = OperatorLoginName();
    return place;
}
