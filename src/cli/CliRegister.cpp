#include "CliRegister.h"

#include "CliInputs.h"
#include "CliRunner.h"
#include "CliText.h"
#include "base/IniFile.h"
#include "register/Register.h"
#include "settings/Settings.h"

namespace {
constexpr int kMsPerSecond = 1000;
} // namespace

std::unique_ptr<TRegister> TCliRegister::Open() const {
    return std::make_unique<TRegister>(Location, LocalFile);
}

bool ReadRegisterFor(const TCliOptions& options, TCliRegister* reg, QString* error) {
    if (options.IsSet("register") && options.IsSet("no-register")) {
        *error = TCli::tr("--register и --no-register вместе не задаются");
        return false;
    }
    QString path;
    if (!SettingsFileFor(options, &path, error))
        return false;
    const TIniFile ini(path);
    const QString given =
        options.IsSet("register") ? options.Value("register") : ReadRegisterDatabase(ini);
    reg->LocalFile = ProgramRegisterFile();
    reg->Location = SqliteLocation(reg->LocalFile);
    reg->Record =
        !options.IsSet("no-register") && (options.IsSet("register") || ReadRegisterRecord(ini));
    reg->IdentityTimeoutMs = ReadIdentityTimeoutSec(ini) * kMsPerSecond;
    QString why;
    if (!given.isEmpty() && !ParseRegisterLocation(given, reg->Location, why)) {
        *error = TCli::tr("журнал трекеров: %1").arg(why);
        return false;
    }
    return true;
}

TRegisterStore* OpenRegisterFor(const TCliOptions& options, std::unique_ptr<TRegister>& reg) {
    TCliRegister where;
    QString error;
    if (!ReadRegisterFor(options, &where, &error)) {
        UsageError(error);
        return nullptr;
    }
    reg = where.Open();
    TRegisterStore* store = reg->Store();
    if (!store)
        UsageError(reg->Error()); // names the register, never its password
    return store;
}
