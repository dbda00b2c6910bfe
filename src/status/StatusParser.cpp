#include "StatusParser.h"

#include "status/ReportLayout.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>

namespace {

constexpr int kStateBitRelay1 = 128;
constexpr int kStateBits[3] = {8, 4, 2}; // cDState1..cDState3
constexpr int kPercent = 100;

qint64 DecimalOr(const QString& text, qint64 fallback) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok, 10);
    return ok ? v : fallback;
}

double DecimalFloatOr0(const QString& text) {
    const double v = ReportNumber(text);
    return std::isnan(v) ? 0.0 : v;
}

class TFiller {
public:
    TFiller(TStatusFields& fields, TStatusChange& change) : FFields(fields), FChange(change) {}
    void Set(const char* control, const QString& text) {
        const QString name = QString::fromLatin1(control);
        FFields.Texts.insert(name, text);
        FChange.Controls.append(name);
    }

private:
    TStatusFields& FFields;
    TStatusChange& FChange;
};

QString ResultText(const QString& item, const TStatusTexts& texts) {
    return texts.Result(item == QLatin1String("0")) + QStringLiteral(" (") + item +
           QLatin1Char(')');
}

QString SimStateText(const QString& item, const TStatusTexts& texts) {
    if (item == QLatin1String("0"))
        return QCoreApplication::translate("TfmDeviceInfo", "SIM не готова");
    if (item == QLatin1String("1"))
        return texts.ResultOk;
    if (item == QLatin1String("2"))
        return QCoreApplication::translate("TfmDeviceInfo", "Требуется PIN");
    if (item == QLatin1String("3"))
        return QCoreApplication::translate("TfmDeviceInfo", "Требуется PUK");
    if (item == QLatin1String("4"))
        return QCoreApplication::translate("TfmDeviceInfo", "Ошибка SIM");
    return item;
}

void ParseDprm(const QStringList& it, TFiller& f) {
    f.Set("eDevName", it[dpModel]);
    f.Set("eTrackerID", it[dpUnitId]);
    f.Set("eIMEI", it[dpImei]);
    f.Set("eFW_Ver", it[dpFirmware]);
}

void ParseTrep(const QStringList& it, const TStatusTexts& t, TFiller& f) {
    f.Set("eFlashID", it[trFlashId]);
    f.Set("eFlashStatus", ResultText(it[trFlash], t));
    f.Set("eModemStatus", ResultText(it[trModem], t));
    f.Set("eAccStatus", ResultText(it[trAccel], t));
    f.Set("eGPSStatus", ResultText(it[trGps], t));
    f.Set("eSimStatus", SimStateText(it[trSim], t));
}

void ParseSrep(const QStringList& it, const TStatusTexts& t, TFiller& f, TStatusFields& fields,
               TStatusChange& change) {
    const auto one = [&it](int i) { return it[i] == QLatin1String("1"); };
    f.Set("eDFreq1", it[srFreq1]);
    f.Set("eDCount1", it[srCount1]);
    f.Set("eDFreq2", it[srFreq2]);
    f.Set("eDCount2", it[srCount2]);
    f.Set("eDCount3", it[srCount3]);
    const qint64 bits = DecimalOr(it[srStateBits], 0);
    f.Set("eDRelay1", t.Contact((bits & kStateBitRelay1) != 0));
    for (int k = 0; k < 3; ++k)
        fields.DState[k] = (bits & kStateBits[k]) != 0;
    change.States = true;
    f.Set("eADC1", it[srAdc1]);
    f.Set("eVIN", it[srSupply]);
    f.Set("eVBAT", it[srBattery]);
    f.Set("eTEMP", it[srTemperature]);
    f.Set("eACC_X", it[srAccX]);
    f.Set("eACC_Y", it[srAccY]);
    f.Set("eACC_Z", it[srAccZ]);
    f.Set("eUptime", FormatUptime(DecimalOr(it[srUptime], 0)));
    f.Set("eACC_SLEEP_TIMER", it[srSleepTimer]);
    f.Set("eMODE_ACC_STOP", t.Motion(one(srAccStop)));
    f.Set("eIgnition", t.Switch(one(srIgnition)));
    f.Set("eFreezeCoordByAcc", t.Function(one(srFreezeByAcc)));
    f.Set("eFreezeCoordByIgn", t.Function(one(srFreezeByIgn)));
    f.Set("eCoordFrozen", t.Freeze(one(srFrozen)));
}

void ParseSfpt(const QStringList& it, TFiller& f, TStatusFields& fields, TStatusChange& change) {
    const qint32 readPtr = HexToInt32(it[sfReadPtr]);
    const qint32 writePtr = HexToInt32(it[sfWritePtr]);
    const qint32 size = HexToInt32(it[sfSize]);
    f.Set("ePtrRead", it[sfReadPtr]);
    f.Set("ePtrWrite", it[sfWritePtr]);
    f.Set("eFlashSize", QString::number(size));
    f.Set("eSlotsFree", it[sfSlotsFree]);
    f.Set("eSlotsTotal", it[sfSlotsToSend]);
    const qint64 used = qint64(writePtr) - qint64(readPtr);
    f.Set("eMemoryFree", QString::number(used));
    f.Set("eMemoryFreePercent",
          size == 0 ? QStringLiteral("N/A")
                    : QString::number(RoundedPercent(used, size)) + QLatin1Char('%'));
    fields.MemoryOverflow = size < writePtr;
    change.Overflow = true;
}

void ParseSnav(const QStringList& it, TFiller& f) {
    f.Set("eGPSTime",
          InsertAt(InsertAt(it[snTime], QStringLiteral(":"), 5), QStringLiteral(":"), 3));
    f.Set("eLat", LatitudeText(it[snLatitude]));
    f.Set("eLon", LongitudeText(it[snLongitude]));
    f.Set("eSpeed", it[snSpeed]);
    f.Set("eAzimuth", it[snAzimuth]);
    f.Set("eGPSDate",
          InsertAt(InsertAt(it[snDate], QStringLiteral(".20"), 5), QStringLiteral("."), 3));
    f.Set("eFixType", it[snFixType]);
    f.Set("eSatCount", it[snSatellites]);
    const double alt = DecimalFloatOr0(it[snAltitude]) + DecimalFloatOr0(it[snAltitudeOffset]);
    f.Set("eAlt", FormatGeneralFloat(alt, QLocale().decimalPoint()));
}

void ParseSgsm(const QStringList& it, const TStatusTexts& t, TFiller& f, TStatusChange& change) {
    f.Set("eGSMReg", RegistrationText(it[sgRegistration]));
    f.Set("eGPRS", t.Activity(it[sgGprs] == QLatin1String("1")));
    const int state = ReportInteger(it[sgServerState], -1);
    f.Set("eServerState", state >= 0 && state < kServerStateCount
                              ? ServerStateName(state, t)
                              : QStringLiteral("N/A ") + it[sgServerState]);
    f.Set("eGSMOp", it[sgOperator]);
    f.Set("eGSMStrength", it[sgSignal]);
    change.Signal = true;
    f.Set("eServer", it[sgServerHost] + QLatin1Char(':') + it[sgServerPort]);
    f.Set("eAPN", it[sgApn] + QLatin1Char('(') + it[sgApnUser] + QLatin1Char(',') +
                      it[sgApnPassword] + QLatin1Char(')'));
}

} // namespace

TStatusTexts LoadStatusTexts() {
    TStatusTexts t;
    t.ActivityOff = QCoreApplication::translate("TfmDeviceInfo", "Не активно");
    t.ActivityOn = QCoreApplication::translate("TfmDeviceInfo", "Активно");
    t.ContactClosed = QCoreApplication::translate("TfmDeviceInfo", "Замкнуто");
    t.ContactOpen = QCoreApplication::translate("TfmDeviceInfo", "Разомкнуто");
    t.ResultError = QCoreApplication::translate("TfmDeviceInfo", "Ошибка");
    t.ResultOk = QCoreApplication::translate("TfmDeviceInfo", "OK");
    t.MotionMoving = QCoreApplication::translate("TfmDeviceInfo", "В движении");
    t.MotionStopped = QCoreApplication::translate("TfmDeviceInfo", "Зафиксирована");
    t.SwitchOff = QCoreApplication::translate("TfmDeviceInfo", "Выключено");
    t.SwitchOn = QCoreApplication::translate("TfmDeviceInfo", "Включено");
    t.FunctionOff = QCoreApplication::translate("TfmDeviceInfo", "Неактивна");
    t.FunctionOn = QCoreApplication::translate("TfmDeviceInfo", "Активна");
    t.FreezeOff = QCoreApplication::translate("TfmDeviceInfo", "Не заморожены");
    t.FreezeOn = QCoreApplication::translate("TfmDeviceInfo", "Заморожены");
    t.ServerConnecting = QCoreApplication::translate("TfmDeviceInfo", "Подключение");
    t.ServerClosing = QCoreApplication::translate("TfmDeviceInfo", "Закрытие");
    t.ServerConnected = QCoreApplication::translate("TfmDeviceInfo", "Подключено");
    return t;
}

QString RegistrationText(const QString& item) {
    if (item == QLatin1String(kRegisteredHome))
        return QCoreApplication::translate("TfmDeviceInfo", "Домашняя сеть");
    if (item == QLatin1String(kRegisteredRoaming))
        return QCoreApplication::translate("TfmDeviceInfo", "Роуминг");
    return QCoreApplication::translate("TfmDeviceInfo", "Нет регистрации");
}

QString ServerStateName(int index, const TStatusTexts& texts) {
    switch (index) {
    case 0:
        return QStringLiteral("init");
    case 1:
        return QStringLiteral("start");
    case 2:
        return QStringLiteral("config");
    case 3:
        return QStringLiteral("ind");
    case 4:
        return QStringLiteral("gprs_act");
    case 5:
        return QStringLiteral("status");
    case 6:
        return texts.ServerConnecting;
    case 7:
        return texts.ServerClosing;
    case kServerConnected:
        return texts.ServerConnected;
    case 9:
        return QStringLiteral("pdp_deact");
    default:
        return QString();
    }
}

TStatusChange ParseStatusReport(const QString& line, const TStatusTexts& texts,
                                TStatusFields& fields) {
    TStatusChange change;
    const TReportLine report = SplitStatusReport(line);
    if (!report.IsValid())
        return change;
    const QStringList& items = report.Items;
    change.Report = report.Name;
    TFiller f(fields, change);
    switch (report.Kind) {
    case rnDprm:
        ParseDprm(items, f);
        break;
    case rnTrep:
        ParseTrep(items, texts, f);
        break;
    case rnSrep:
        ParseSrep(items, texts, f, fields, change);
        break;
    case rnSfpt:
        ParseSfpt(items, f, fields, change);
        break;
    case rnSnav:
        ParseSnav(items, f);
        break;
    case rnSgsm:
    case rnNone:
        ParseSgsm(items, texts, f, change);
        break;
    }
    return change;
}

QString LatitudeText(const QString& item) {
    const QString lat = InsertAt(item, QStringLiteral("°"), 3);
    return InsertAt(lat, QStringLiteral("'"), int(lat.size()));
}

QString LongitudeText(const QString& item) {
    const QString lon = InsertAt(item, QStringLiteral("'"), int(item.size()));
    return InsertAt(lon, QStringLiteral("°"), 4);
}

QString FormatUptime(qint64 s) {
    QString text = QString::number(s % 60) + QLatin1Char('s');
    if (s / 60 > 0)
        text.prepend(QString::number((s / 60) % 60) + QStringLiteral("m "));
    if (s / 3600 > 0)
        text.prepend(QString::number((s / 3600) % 24) + QStringLiteral("h "));
    if (s / 86400 > 0)
        text.prepend(QString::number(s / 86400) + QStringLiteral("d "));
    return text;
}

QString InsertAt(const QString& text, const QString& insert, int position) {
    QString result = text;
    const int index = qBound(0, position - 1, int(text.size()));
    result.insert(index, insert);
    return result;
}

qint64 RoundedPercent(qint64 used, qint64 size) {
    // |used| < 2^33 and size is 32-bit, so used * 100 fits in 64 bits.
    const qint64 num = used * kPercent;
    const bool negative = (num < 0) != (size < 0);
    const quint64 a = num < 0 ? quint64(-num) : quint64(num);
    const quint64 b = size < 0 ? quint64(-size) : quint64(size);
    quint64 q = a / b;
    const quint64 r2 = (a % b) * 2;
    if (r2 > b || (r2 == b && (q & 1) != 0))
        ++q;
    return negative ? -qint64(q) : qint64(q);
}

qint32 HexToInt32(const QString& text) {
    bool ok = false;
    const uint v = text.toUInt(&ok, 16);
    return ok ? qint32(v) : 0;
}

QString FormatGeneralFloat(double value, const QString& decimalPoint) {
    constexpr int kMaxDigits = 15;
    // 'g' already drops trailing zeros, so this is the shortest text of the
    // value rounded to 15 significant digits.
    QString text = QString::number(value, 'g', kMaxDigits);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    text.replace(QLatin1Char('.'), decimalPoint);
    return text;
}
