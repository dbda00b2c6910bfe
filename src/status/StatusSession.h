#pragma once

#include "StatusParser.h"

#include <QString>
#include <functional>
#include <memory>

class TComDataPacket;
class TDeviceLink;

// Bytes asked for per read while pumping the stream.
constexpr int kStatusReadBytes = 256;

// The tracker's status stream on a link: starts and stops it, frames the
// received bytes into lines, logs every line (the echoed start command
// without its password), parses the reports and tells each change. The
// bytes come either from the port's own events (the status window, on a
// thread with an event loop) or from the caller pumping the port for a
// while (a thread without one: velmora-cli, the identity read).
class TStatusSession {
public:
    enum TReceive { srPortEvents, srPump };
    using TReportHandler =
        std::function<void(const TStatusChange& change, const TStatusFields& fields)>;

    // link may be nullptr: nothing is sent, lines are parsed all the same.
    TStatusSession(TDeviceLink* link, TReceive receive);
    ~TStatusSession();
    TStatusSession(const TStatusSession&) = delete;
    TStatusSession& operator=(const TStatusSession&) = delete;

    // Every report that changed something.
    TReportHandler OnReport;
    // Every trimmed line before it is parsed into fields, so that whoever
    // reads numbers from the reports reads the very lines the fields show.
    std::function<void(const QString& line)> OnReportLine;

    // Enters command mode when needed and sends the start command (no
    // answer awaited). False when command mode cannot be reached.
    bool Start();
    // Sends the stop command and reads its answer; also when nothing streams.
    void Stop();
    bool Streaming() const { return FStreaming; }

    // Pump mode: reads the port for up to ms and handles what came. False
    // when the port failed: logged, port closed, command mode gone; Failure()
    // says why.
    bool Pump(int ms);
    QString Failure() const { return FFailure; }

    // One framed line as received (it may begin with a line feed).
    void TakeLine(const QString& line);
    // One report line, trimmed.
    void TakeReport(const QString& line);

    const TStatusFields& Fields() const { return FFields; }
    TComDataPacket* Framer() const { return FFramer.get(); }

private:
    TDeviceLink* FLink;
    TReceive FReceive;
    std::unique_ptr<TComDataPacket> FFramer;
    TStatusTexts FTexts;
    TStatusFields FFields;
    bool FStreaming = false;
    QString FFailure;
};
