#include "StatusParser.h"

#include "base/TextUtils.h"

#include <QCoreApplication>
#include <QLocale>
#include <cmath>

namespace {

const QString kHeader = QStringLiteral("+RESP:");

struct TReportRow {
    const char* Name;
    int Items; // item 0 counted
};

constexpr TReportRow kReports[] = {
    {"DPRM", 5}, {"TREP", 7}, {"SREP", 21}, {"SFPT", 6}, {"SNAV", 11}, {"SGSM", 12},
};

constexpr int kStateBitRelay1 = 128;
constexpr int kStateBits[3] = {8, 4, 2}; // cDState1..cDState3
constexpr int kPercent = 100;

qint64 DecimalOr(const QString& text, qint64 fallback) {
    bool ok = false;
    const qint64 v = text.toLongLong(&ok, 10);
    return ok ? v : fallback;
}

int Int32Or(const QString& text, int fallback) {
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? v : fallback;
}

double DecimalFloatOr0(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    return ok && std::isfinite(v) ? v : 0.0;
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

QString RegistrationText(const QString& item) {
    if (item == QLatin1String("1"))
        return QCoreApplication::translate("TfmDeviceInfo", "Домашняя сеть");
    if (item == QLatin1String("5"))
        return QCoreApplication::translate("TfmDeviceInfo", "Роуминг");
    return QCoreApplication::translate("TfmDeviceInfo", "Нет регистрации");
}

void ParseDprm(const QStringList& it, TFiller& f) {
    f.Set("eDevName", it[1]);
    f.Set("eTrackerID", it[2]);
    f.Set("eIMEI", it[3]);
    f.Set("eFW_Ver", it[4]);
}

void ParseTrep(const QStringList& it, const TStatusTexts& t, TFiller& f) {
    f.Set("eFlashID", it[1]);
    f.Set("eFlashStatus", ResultText(it[2], t));
    f.Set("eModemStatus", ResultText(it[3], t));
    f.Set("eAccStatus", ResultText(it[4], t));
    f.Set("eGPSStatus", ResultText(it[5], t));
    f.Set("eSimStatus", SimStateText(it[6], t));
}

void ParseSrep(const QStringList& it, const TStatusTexts& t, TFiller& f, TStatusFields& fields,
               TStatusChange& change) {
    const auto one = [&it](int i) { return it[i] == QLatin1String("1"); };
    f.Set("eDFreq1", it[1]);
    f.Set("eDCount1", it[2]);
    f.Set("eDFreq2", it[3]);
    f.Set("eDCount2", it[4]);
    f.Set("eDCount3", it[5]);
    const qint64 bits = DecimalOr(it[6], 0);
    f.Set("eDRelay1", t.Contact((bits & kStateBitRelay1) != 0));
    for (int k = 0; k < 3; ++k)
        fields.DState[k] = (bits & kStateBits[k]) != 0;
    change.States = true;
    f.Set("eADC1", it[7]);
    f.Set("eVIN", it[8]);
    f.Set("eVBAT", it[9]);
    f.Set("eTEMP", it[10]);
    f.Set("eACC_X", it[11]);
    f.Set("eACC_Y", it[12]);
    f.Set("eACC_Z", it[13]);
    f.Set("eUptime", FormatUptime(DecimalOr(it[14], 0)));
    f.Set("eACC_SLEEP_TIMER", it[15]);
    f.Set("eMODE_ACC_STOP", t.Motion(one(16)));
    f.Set("eIgnition", t.Switch(one(17)));
    f.Set("eFreezeCoordByAcc", t.Function(one(18)));
    f.Set("eFreezeCoordByIgn", t.Function(one(19)));
    f.Set("eCoordFrozen", t.Freeze(one(20)));
}

void ParseSfpt(const QStringList& it, TFiller& f, TStatusFields& fields, TStatusChange& change) {
    const qint32 readPtr = HexToInt32(it[1]);
    const qint32 writePtr = HexToInt32(it[2]);
    const qint32 size = HexToInt32(it[3]);
    f.Set("ePtrRead", it[1]);
    f.Set("ePtrWrite", it[2]);
    f.Set("eFlashSize", QString::number(size));
    f.Set("eSlotsFree", it[4]);
    f.Set("eSlotsTotal", it[5]);
    const qint64 used = qint64(writePtr) - qint64(readPtr);
    f.Set("eMemoryFree", QString::number(used));
    f.Set("eMemoryFreePercent",
          size == 0 ? QStringLiteral("N/A")
                    : QString::number(RoundedPercent(used, size)) + QLatin1Char('%'));
    fields.MemoryOverflow = size < writePtr;
    change.Overflow = true;
}

void ParseSnav(const QStringList& it, TFiller& f) {
    f.Set("eGPSTime", InsertAt(InsertAt(it[1], QStringLiteral(":"), 5), QStringLiteral(":"), 3));
    const QString lat = InsertAt(it[2], QStringLiteral("°"), 3);
    f.Set("eLat", InsertAt(lat, QStringLiteral("'"), int(lat.size())));
    const QString lon = InsertAt(it[3], QStringLiteral("'"), int(it[3].size()));
    f.Set("eLon", InsertAt(lon, QStringLiteral("°"), 4));
    f.Set("eSpeed", it[4]);
    f.Set("eAzimuth", it[5]);
    f.Set("eGPSDate", InsertAt(InsertAt(it[6], QStringLiteral(".20"), 5), QStringLiteral("."), 3));
    f.Set("eFixType", it[7]);
    f.Set("eSatCount", it[8]);
    const double alt = DecimalFloatOr0(it[9]) + DecimalFloatOr0(it[10]);
    f.Set("eAlt", FormatGeneralFloat(alt, QLocale().decimalPoint()));
}

void ParseSgsm(const QStringList& it, const TStatusTexts& t, TFiller& f, TStatusChange& change) {
    f.Set("eGSMReg", RegistrationText(it[1]));
    f.Set("eGPRS", t.Activity(it[2] == QLatin1String("1")));
    const int state = Int32Or(it[3], -1);
    f.Set("eServerState", state >= 0 && state < kServerStateCount ? ServerStateName(state, t)
                                                                  : QStringLiteral("N/A ") + it[3]);
    f.Set("eGSMOp", it[5]);
    f.Set("eGSMStrength", it[6]);
    change.Signal = true;
    f.Set("eServer", it[7] + QLatin1Char(':') + it[8]);
    f.Set("eAPN", it[9] + QLatin1Char('(') + it[10] + QLatin1Char(',') + it[11] + QLatin1Char(')'));
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
    case 8:
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
    if (!line.startsWith(kHeader))
        return change;
    const QString name = line.mid(kReportHeaderLength, kReportNameLength);
    int needed = -1;
    for (const TReportRow& row : kReports)
        if (name == QLatin1String(row.Name))
            needed = row.Items;
    if (needed < 0)
        return change;
    QStringList items = SplitList(line);
    // The splitter drops a trailing empty item; a report whose last field is
    // empty (an APN without password) would otherwise be one item short.
    if (line.endsWith(QLatin1Char(',')))
        items.append(QString());
    if (items.size() < needed)
        return change;

    change.Report = name;
    TFiller f(fields, change);
    if (name == QLatin1String("DPRM"))
        ParseDprm(items, f);
    else if (name == QLatin1String("TREP"))
        ParseTrep(items, texts, f);
    else if (name == QLatin1String("SREP"))
        ParseSrep(items, texts, f, fields, change);
    else if (name == QLatin1String("SFPT"))
        ParseSfpt(items, f, fields, change);
    else if (name == QLatin1String("SNAV"))
        ParseSnav(items, f);
    else
        ParseSgsm(items, texts, f, change);
    return change;
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
