#include "StatusReading.h"

#include "status/ReportLayout.h"

TStatusReading ReadStatusReport(const QString& line) {
    TStatusReading r;
    const TReportLine report = SplitStatusReport(line);
    if (!report.IsValid())
        return r;
    const QStringList& it = report.Items;
    switch (report.Kind) {
    case rnDprm:
        r.Kind = rkIdentity;
        r.Identity = {it[dpModel], it[dpUnitId], it[dpImei], it[dpFirmware]};
        break;
    case rnTrep:
        r.Kind = rkSelfTest;
        r.SelfTest = {it[trFlash], it[trModem], it[trAccel], it[trGps], it[trSim]};
        break;
    case rnSrep:
        r.Kind = rkSensors;
        r.Sensors.Supply = ReportNumber(it[srSupply]);
        r.Sensors.Battery = ReportNumber(it[srBattery]);
        r.Sensors.Temperature = ReportNumber(it[srTemperature]);
        r.Sensors.Ignition = it[srIgnition] == QLatin1String("1");
        break;
    case rnSfpt: {
        r.Kind = rkMemory;
        bool ok = false;
        const qint64 toSend = it[sfSlotsToSend].toLongLong(&ok, 10);
        r.Memory.ToSend = ok && toSend >= 0 ? toSend : -1;
        break;
    }
    case rnSnav:
        r.Kind = rkNavigation;
        r.Navigation.FixType = ReportInteger(it[snFixType], -1);
        r.Navigation.Satellites = ReportInteger(it[snSatellites], -1);
        r.Navigation.Speed = ReportNumber(it[snSpeed]);
        r.Navigation.Latitude = it[snLatitude];
        r.Navigation.Longitude = it[snLongitude];
        break;
    case rnSgsm:
    case rnNone: {
        r.Kind = rkGsm;
        r.Gsm.Registration = it[sgRegistration];
        r.Gsm.Registered = it[sgRegistration] == QLatin1String(kRegisteredHome) ||
                           it[sgRegistration] == QLatin1String(kRegisteredRoaming);
        r.Gsm.Gprs = it[sgGprs] == QLatin1String("1");
        r.Gsm.ServerState = ReportInteger(it[sgServerState], -1);
        const int signal = ReportInteger(it[sgSignal], -1);
        r.Gsm.Signal = signal >= 0 && signal <= kSignalMax ? signal : -1;
        break;
    }
    }
    return r;
}
