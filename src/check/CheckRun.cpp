#include "CheckRun.h"

#include "ops/OpsObserver.h"
#include "status/StatusSession.h"

namespace {

constexpr qint64 kMsPerSecond = 1000;

} // namespace

TCheckRunResult RunInstallCheck(TDeviceLink& link, TOpsObserver& observer,
                                const TCheckRunOptions& options) {
    const auto now =
        options.Clock ? options.Clock : std::function<qint64()>(&QDateTime::currentMSecsSinceEpoch);
    TCheckRunResult result;
    result.Record.Reset(options.Settings);
    TStatusSession session(&link, TStatusSession::srPump);
    session.OnReportLine = [&](const QString& line) { result.Record.Add(line, now()); };

    observer.Step({opStreaming, 0, 1, {}});
    const qint64 start = now();
    result.Started = QDateTime::fromMSecsSinceEpoch(start);
    result.Streamed = session.Start();
    if (result.Streamed) {
        const qint64 end = start + qMax(0, options.Seconds) * kMsPerSecond;
        bool portAlive = true;
        while (!result.Record.Check().AllHold() && now() < end && !observer.StopRequested()) {
            if (!session.Pump(kCheckPumpSliceMs)) {
                portAlive = false; // nothing to stop
                result.Failure = session.Failure();
                break;
            }
        }
        if (portAlive)
            session.Stop();
    }
    result.Finished = QDateTime::fromMSecsSinceEpoch(now());
    return result;
}
