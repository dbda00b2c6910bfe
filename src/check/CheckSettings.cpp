#include "CheckSettings.h"

#include "base/IniFile.h"
#include "base/Translate.h"
#include "check/StatusReading.h"

#include <QLocale>
#include <cmath>

namespace {

constexpr TTrContext Tr("TCheckSettings");

const char* const kCriterionKeys[ckCount] = {"SelfTest", "Navigation", "Gsm",
                                             "Power",    "Ignition",   "Memory"};

struct TIntegerKey {
    const char* Key;
    int TCheckSettings::*Field;
    int Min, Max;
};

constexpr int kMaxSeconds = 3600;
constexpr int kMaxSatellites = 64;
constexpr int kMaxSlots = 1000000;
constexpr double kMaxVolts = 100.0;

const TIntegerKey kIntegerKeys[] = {
    {"MinSatellites", &TCheckSettings::MinSatellites, 0, kMaxSatellites},
    {"FixHoldSeconds", &TCheckSettings::FixHoldSeconds, 0, kMaxSeconds},
    {"MinSignal", &TCheckSettings::MinSignal, 0, kSignalMax},
    {"MaxSlotsGrowth", &TCheckSettings::MaxSlotsGrowth, 0, kMaxSlots},
    {"MemoryWindowSeconds", &TCheckSettings::MemoryWindowSeconds, 0, kMaxSeconds},
};

QString Problem(const QString& key, const QString& value) {
    return Tr("[Check] %1=%2: неверное значение, взято значение по умолчанию").arg(key, value);
}

// Volts with a point or a comma.
bool ReadVolts(const TIniFile& ini, const QString& key, double& value, QStringList* problems) {
    if (!ini.ValueExists(QLatin1String(kCheckSection), key))
        return true;
    const QString text = ini.ReadString(QLatin1String(kCheckSection), key, QString()).trimmed();
    bool ok = false;
    const double v = QLocale::c().toDouble(QString(text).replace(QLatin1Char(','), '.'), &ok);
    if (ok && std::isfinite(v) && v >= 0 && v <= kMaxVolts) {
        value = v;
        return true;
    }
    if (problems)
        problems->append(Problem(key, text));
    return false;
}

} // namespace

QString CriterionKey(TCriterion criterion) {
    return QLatin1String(kCriterionKeys[criterion]);
}

TCheckSettings ReadCheckSettings(const TIniFile& ini, QStringList* problems) {
    TCheckSettings s;
    const QString section = QLatin1String(kCheckSection);
    const auto readInteger = [&](const QString& key, int& field, int min, int max) {
        if (!ini.ValueExists(section, key))
            return;
        const QString text = ini.ReadString(section, key, QString()).trimmed();
        int v = 0;
        if (TIniFile::ParseInteger(text, v) && v >= min && v <= max)
            field = v;
        else if (problems)
            problems->append(Problem(key, text));
    };
    for (int c = 0; c < ckCount; ++c) {
        int on = s.Enabled[c] ? 1 : 0;
        readInteger(CriterionKey(TCriterion(c)), on, 0, 1);
        s.Enabled[c] = on != 0;
    }
    for (const TIntegerKey& k : kIntegerKeys)
        readInteger(QLatin1String(k.Key), s.*(k.Field), k.Min, k.Max);

    const TCheckSettings defaults;
    double minV = defaults.MinVoltage, maxV = defaults.MaxVoltage;
    const bool minOk = ReadVolts(ini, QStringLiteral("MinVoltage"), minV, problems);
    const bool maxOk = ReadVolts(ini, QStringLiteral("MaxVoltage"), maxV, problems);
    if (minV >= maxV) {
        if (problems && minOk && maxOk)
            problems->append(Tr("[Check] MinVoltage=%1 не меньше MaxVoltage=%2: взяты значения "
                                "по умолчанию")
                                 .arg(minV)
                                 .arg(maxV));
        minV = defaults.MinVoltage;
        maxV = defaults.MaxVoltage;
    }
    s.MinVoltage = minV;
    s.MaxVoltage = maxV;
    return s;
}
