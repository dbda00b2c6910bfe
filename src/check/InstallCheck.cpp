#include "InstallCheck.h"

#include "base/Translate.h"

#include <cmath>

namespace {

constexpr TTrContext Tr("TInstallCheck");

constexpr qint64 kMsPerSecond = 1000;

bool PartSound(const QString& code) {
    return code == QLatin1String("0");
}

QString Volts(double v) {
    return QString::number(v, 'f', 2);
}

TCriterionResult Make(TCriterion id, TCriterionState state, const QString& value) {
    TCriterionResult r;
    r.Id = id;
    r.State = state;
    r.Value = value;
    return r;
}

} // namespace

TInstallCheck::TInstallCheck(const TCheckSettings& settings)
    : FSettings(settings), FTexts(LoadStatusTexts()) {}

void TInstallCheck::Restart() {
    const TUnitIdentity identity = FIdentity;
    const TNavigation position = FPosition;
    *this = TInstallCheck(FSettings);
    FIdentity = identity;
    FPosition = position;
}

void TInstallCheck::Add(const TStatusReading& r, qint64 ms) {
    if (r.Kind == rkNone)
        return;
    if (FStartMs < 0)
        FStartMs = ms;
    FLastMs = ms;
    switch (r.Kind) {
    case rkIdentity:
        FIdentity = r.Identity;
        break;
    case rkSelfTest:
        FSelfTestSeen = true;
        FSelfTest = r.SelfTest;
        break;
    case rkNavigation: {
        FNavSeen = true;
        FNav = r.Navigation;
        FNavMs = ms;
        if (r.Navigation.HasPosition())
            FPosition = r.Navigation;
        const bool good =
            r.Navigation.FixType >= kFix3D && r.Navigation.Satellites >= FSettings.MinSatellites;
        if (!good)
            FFixSinceMs = -1;
        else if (FFixSinceMs < 0)
            FFixSinceMs = ms;
        break;
    }
    case rkGsm:
        FGsmSeen = true;
        FGsm = r.Gsm;
        if (r.Gsm.Signal >= 0)
            FSignal = r.Gsm.Signal;
        break;
    case rkSensors:
        FSensorsSeen = true;
        FSensors = r.Sensors;
        if (r.Sensors.Ignition)
            FIgnitionOnSeen = true;
        else if (FIgnitionOnSeen)
            FIgnitionCycled = true;
        break;
    case rkMemory:
        if (r.Memory.ToSend < 0)
            break;
        if (FFirstSlots < 0) {
            FFirstSlots = FMostSlots = r.Memory.ToSend;
            FFirstSlotsMs = ms;
        }
        if (FSlots >= 0 && r.Memory.ToSend < FSlots)
            FSlotsFell = true;
        FSlots = r.Memory.ToSend;
        FSlotsMs = ms;
        FMostSlots = qMax(FMostSlots, FSlots);
        break;
    case rkNone:
        break;
    }
}

TCriterionResult TInstallCheck::SelfTestResult() const {
    if (!FSelfTestSeen)
        return Make(ckSelfTest, csWaiting, Tr("нет отчёта"));
    const struct {
        const char* Name;
        const QString& Code;
        bool Sound;
    } parts[] = {
        {QT_TRANSLATE_NOOP("TInstallCheck", "Flash"), FSelfTest.Flash, PartSound(FSelfTest.Flash)},
        {QT_TRANSLATE_NOOP("TInstallCheck", "модем"), FSelfTest.Modem, PartSound(FSelfTest.Modem)},
        {QT_TRANSLATE_NOOP("TInstallCheck", "акселерометр"), FSelfTest.Accel,
         PartSound(FSelfTest.Accel)},
        {QT_TRANSLATE_NOOP("TInstallCheck", "GPS/GLONASS"), FSelfTest.Gps,
         PartSound(FSelfTest.Gps)},
        {QT_TRANSLATE_NOOP("TInstallCheck", "SIM"), FSelfTest.Sim,
         FSelfTest.Sim == QLatin1String("1")},
    };
    QStringList faults;
    for (const auto& p : parts)
        if (!p.Sound)
            faults << Tr(p.Name) + QStringLiteral(": ") + p.Code;
    if (faults.isEmpty())
        return Make(ckSelfTest, csPassed, Tr("все узлы OK"));
    return Make(ckSelfTest, csFailed, faults.join(QStringLiteral("; ")));
}

TCriterionResult TInstallCheck::NavigationResult() const {
    if (!FNavSeen)
        return Make(ckNavigation, csWaiting, Tr("нет отчёта"));
    const QString seen =
        Tr("захват %1, спутников %2").arg(FNav.FixType).arg(qMax(FNav.Satellites, 0));
    if (FFixSinceMs < 0)
        return Make(ckNavigation, csFailed, seen);
    // Only navigation reports tell that the fix is still there.
    const qint64 held = (FNavMs - FFixSinceMs) / kMsPerSecond;
    if (held >= FSettings.FixHoldSeconds)
        return Make(ckNavigation, csPassed, seen + Tr(", держится %1 с").arg(held));
    return Make(ckNavigation, csWaiting,
                seen + Tr(", держится %1 из %2 с").arg(held).arg(FSettings.FixHoldSeconds));
}

TCriterionResult TInstallCheck::GsmResult() const {
    if (!FGsmSeen)
        return Make(ckGsm, csWaiting, Tr("нет отчёта"));
    const int state = FGsm.ServerState;
    const QString server = state >= 0 && state < kServerStateCount
                               ? ServerStateName(state, FTexts)
                               : QStringLiteral("N/A %1").arg(state);
    const QString value =
        Tr("%1; GPRS: %2; сервер: %3; сигнал: %4")
            .arg(RegistrationText(FGsm.Registration), FTexts.Activity(FGsm.Gprs), server,
                 FSignal < 0 ? QStringLiteral("?") : QString::number(FSignal));
    const bool linked = FGsm.Registered && FGsm.Gprs && state == kServerConnected;
    if (!linked || (FSignal >= 0 && FSignal < FSettings.MinSignal))
        return Make(ckGsm, csFailed, value);
    return Make(ckGsm, FSignal < 0 ? csWaiting : csPassed, value);
}

TCriterionResult TInstallCheck::PowerResult() const {
    if (!FSensorsSeen || std::isnan(FSensors.Supply))
        return Make(ckPower, csWaiting, Tr("нет данных"));
    const double v = FSensors.Supply;
    if (v >= FSettings.MinVoltage && v <= FSettings.MaxVoltage)
        return Make(ckPower, csPassed, Tr("%1 В").arg(Volts(v)));
    return Make(ckPower, csFailed,
                Tr("%1 В, допустимо %2…%3 В")
                    .arg(Volts(v), Volts(FSettings.MinVoltage), Volts(FSettings.MaxVoltage)));
}

TCriterionResult TInstallCheck::IgnitionResult() const {
    if (FIgnitionCycled)
        return Make(ckIgnition, csPassed, Tr("включалось и выключалось"));
    if (!FSensorsSeen)
        return Make(ckIgnition, csWaiting, Tr("нет отчёта"));
    return Make(ckIgnition, csWaiting,
                FSensors.Ignition ? Tr("включено, ждём выключения")
                                  : Tr("выключено, ждём включения"));
}

TCriterionResult TInstallCheck::MemoryResult() const {
    if (FFirstSlots < 0)
        return Make(ckMemory, csWaiting, Tr("нет отчёта"));
    const QString value = Tr("к отправке: %1 → %2").arg(FFirstSlots).arg(FSlots);
    if (FSlots - FFirstSlots > FSettings.MaxSlotsGrowth)
        return Make(ckMemory, csFailed, value);
    const bool settled = FSlotsMs - FFirstSlotsMs >= FSettings.MemoryWindowSeconds * kMsPerSecond;
    if (FSlotsFell || (settled && FMostSlots <= FFirstSlots))
        return Make(ckMemory, csPassed, value);
    return Make(ckMemory, csWaiting, value);
}

TCriterionResult TInstallCheck::Result(TCriterion c) const {
    if (!FSettings.Enabled[c])
        return Make(c, csOff, Tr("не проверяется"));
    switch (c) {
    case ckSelfTest:
        return SelfTestResult();
    case ckNavigation:
        return NavigationResult();
    case ckGsm:
        return GsmResult();
    case ckPower:
        return PowerResult();
    case ckIgnition:
        return IgnitionResult();
    case ckMemory:
    case ckCount:
        break;
    }
    return MemoryResult();
}

QVector<TCriterionResult> TInstallCheck::Results() const {
    QVector<TCriterionResult> results;
    for (int c = 0; c < ckCount; ++c)
        results << Result(TCriterion(c));
    return results;
}

TCheckVerdict TInstallCheck::Verdict() const {
    TCheckVerdict v;
    if (FLastMs < 0)
        v.Reasons << Tr("нет отчётов трекера");
    for (const TCriterionResult& r : Results())
        if (r.State != csPassed && r.State != csOff)
            v.Reasons << QStringLiteral("%1: %2 (%3)")
                             .arg(CriterionName(r.Id), CriterionStateText(r.State), r.Value);
    v.Passed = v.Reasons.isEmpty();
    return v;
}

QString CriterionName(TCriterion criterion) {
    switch (criterion) {
    case ckSelfTest:
        return Tr("Самотестирование");
    case ckNavigation:
        return Tr("Навигация");
    case ckGsm:
        return Tr("GSM");
    case ckPower:
        return Tr("Питание");
    case ckIgnition:
        return Tr("Зажигание");
    case ckMemory:
    case ckCount:
        break;
    }
    return Tr("Память");
}

QString CriterionStateText(TCriterionState state) {
    switch (state) {
    case csWaiting:
        return Tr("ожидание");
    case csPassed:
        return Tr("норма");
    case csFailed:
        return Tr("не норма");
    case csOff:
        break;
    }
    return Tr("выключен");
}

QString VerdictText(bool passed) {
    return passed ? Tr("Годен") : Tr("Не годен");
}
