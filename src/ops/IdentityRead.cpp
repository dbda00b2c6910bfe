#include "IdentityRead.h"

#include "status/StatusSession.h"

#include <QDeadlineTimer>

TTrackerIdentity ReadIdentity(TDeviceLink& link, TOpsObserver& observer, int timeoutMs) {
    TTrackerIdentity identity;
    TStatusSession session(&link, TStatusSession::srPump);
    session.OnReport = [&identity](const TStatusChange& change, const TStatusFields& fields) {
        if (identity.Identified || change.Report != QLatin1String("DPRM"))
            return;
        identity.Identified = true;
        identity.Model = fields.Text(QStringLiteral("eDevName"));
        identity.UnitId = fields.Text(QStringLiteral("eTrackerID"));
        identity.Imei = fields.Text(QStringLiteral("eIMEI"));
        identity.Firmware = fields.Text(QStringLiteral("eFW_Ver"));
    };
    observer.Step({opStreaming, 0, 1, {}});
    if (!session.Start())
        return identity;
    const QDeadlineTimer deadline(timeoutMs);
    while (!identity.Identified && !deadline.hasExpired() && !observer.StopRequested()) {
        const int slice = int(qMin<qint64>(kIdentityPumpSliceMs, deadline.remainingTime()));
        if (!session.Pump(slice))
            return identity; // the port is gone: nothing to stop
    }
    session.Stop();
    return identity;
}
