#include "StatusFieldNames.h"

#include <QCoreApplication>

namespace {

// Translated in the window's context, where the captions have always lived.
constexpr char kContext[] = "TfmDeviceInfo";

} // namespace

const QVector<TStatusGroup>& StatusGroups() {
    static const QVector<TStatusGroup> groups = {
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Подключение"),
         scLeft,
         {
             {"ePortName", QT_TRANSLATE_NOOP("TfmDeviceInfo", "COM-порт")},
             {"ePortRate", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Скорость порта")},
             {"ePortConn", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Подключение")},
             {"eCmdMode", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Командный режим")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Устройство"),
         scLeft,
         {
             {"eDevName", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Модель")},
             {"eTrackerID", QT_TRANSLATE_NOOP("TfmDeviceInfo", "ID блока")},
             {"eIMEI", QT_TRANSLATE_NOOP("TfmDeviceInfo", "IMEI")},
             {"eFW_Ver", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Версия ПО")},
             {"eUptime", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Время работы")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "GSM"),
         scLeft,
         {
             {"eGSMReg", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Регистрация в сети")},
             {"eGPRS", QT_TRANSLATE_NOOP("TfmDeviceInfo", "GPRS")},
             {"eServerState", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Соединение с сервером")},
             {"eGSMOp", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Оператор")},
             {"eGSMStrength", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Уровень сигнала")},
             {"eServer", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Активный сервер")},
             {"eAPN", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Точка доступа")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Состояние памяти"),
         scLeft,
         {
             {"ePtrRead", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Указатель чтения")},
             {"ePtrWrite", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Указатель записи")},
             {"eFlashSize", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Объем памяти")},
             {"eMemoryFree", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Занято памяти, байт")},
             {"eMemoryFreePercent", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Занято памяти, %")},
             {"eSlotsTotal", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Слотов отправки")},
             {"eSlotsFree", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Слотов свободно")},
             {"lMemoryOverflow",
              QT_TRANSLATE_NOOP("TfmDeviceInfo", "Переполнение памяти, возможна потеря данных")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Дискретные"),
         scSensors,
         {
             {"eDFreq1", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Вход 1, частота")},
             {"eDCount1", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Вход 1, счетчик")},
             {"eDFreq2", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Вход 2, частота")},
             {"eDCount2", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Вход 2, счетчик")},
             {"eDCount3", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Вход 3, счетчик")},
             {"eDRelay1", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Реле 1")},
             {"cDState", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Дискретный")},
             {"eMODE_ACC_STOP", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Остановка по акселерометру")},
             {"eIgnition", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Зажигание")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Аналоговые"),
         scSensors,
         {
             {"eADC1", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Аналоговый вход 1")},
             {"eVIN", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Напряжение питания")},
             {"eVBAT", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Напряжение на аккумуляторе")},
             {"eTEMP", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Температура")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Акселерометр"),
         scSensors,
         {
             {"eACC_X", QT_TRANSLATE_NOOP("TfmDeviceInfo", "X")},
             {"eACC_Y", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Y")},
             {"eACC_Z", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Z")},
             {"eACC_SLEEP_TIMER", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Счетчик спящего режима")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Навигация"),
         scRight,
         {
             {"eLat", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Широта")},
             {"eLon", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Долгота")},
             {"eSpeed", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Скорость")},
             {"eAlt", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Высота")},
             {"eSatCount", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Спутники")},
             {"eFixType", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Захват")},
             {"eAzimuth", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Азимут")},
             {"eGPSTime", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Время (GPS)")},
             {"eGPSDate", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Дата (GPS)")},
             {"eFreezeCoordByAcc",
              QT_TRANSLATE_NOOP("TfmDeviceInfo", "Заморозка координат по акселерометру")},
             {"eFreezeCoordByIgn",
              QT_TRANSLATE_NOOP("TfmDeviceInfo", "Заморозка координат по зажиганию")},
             {"eCoordFrozen", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Координаты заморожены")},
         }},
        {QT_TRANSLATE_NOOP("TfmDeviceInfo", "Статус"),
         scRight,
         {
             {"eFlashStatus", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Flash-память")},
             {"eFlashID", QT_TRANSLATE_NOOP("TfmDeviceInfo", "FlashID")},
             {"eAccStatus", QT_TRANSLATE_NOOP("TfmDeviceInfo", "Акселерометр")},
             {"eGPSStatus", QT_TRANSLATE_NOOP("TfmDeviceInfo", "GPS/GLONASS")},
             {"eModemStatus", QT_TRANSLATE_NOOP("TfmDeviceInfo", "GSM-модем")},
             {"eSimStatus", QT_TRANSLATE_NOOP("TfmDeviceInfo", "SIM-статус")},
         }},
    };
    return groups;
}

const QVector<TStatusFieldName>& StatusFieldNames() {
    static const QVector<TStatusFieldName> names = [] {
        QVector<TStatusFieldName> all;
        for (const TStatusGroup& g : StatusGroups())
            all += g.Rows;
        return all;
    }();
    return names;
}

QString StatusFieldCaption(const QString& control) {
    for (const TStatusFieldName& n : StatusFieldNames())
        if (control == QLatin1String(n.Control))
            return QCoreApplication::translate(kContext, n.Caption);
    return control;
}

QString StatusGroupCaption(const TStatusGroup& group) {
    return QCoreApplication::translate(kContext, group.Caption);
}

QString StatusSensorsCaption() {
    return QCoreApplication::translate(kContext, "Датчики");
}

QString StatusDiscreteStateCaption() {
    return StatusFieldCaption(QLatin1String(kDiscreteStatesRow));
}

QString StatusOverflowWarning() {
    return StatusFieldCaption(QLatin1String(kOverflowWarningRow));
}
