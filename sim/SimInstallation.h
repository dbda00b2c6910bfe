#pragma once

#include <QString>
#include <atomic>

// Faults of a simulated installation, one per criterion of the check.
enum TInstallFault {
    ifSelfTest,      // the modem fails its self-test
    ifNoFix,         // the receiver never gets a fix
    ifNoServer,      // not registered, no GPRS, no server
    ifVoltage,       // the supply is far too low
    ifIgnitionStuck, // the ignition input never changes
    ifMemoryGrowing, // records pile up, nothing is sent
    ifCount
};

// What the status stream of the simulated tracker shows of the vehicle it
// is fitted in. Set from any thread while the stream runs.
class TSimInstallation {
public:
    static constexpr int kDefaultFixDelayMs = 5000;

    void SetIgnition(bool on) { FIgnition = on; }
    // The ignition flips every this many milliseconds of streaming (starting
    // off); 0 leaves it to SetIgnition.
    void SetIgnitionToggle(int ms) { FToggleMs = ms > 0 ? ms : 0; }
    // Ignition as the stream reports it after elapsedMs of streaming.
    bool IgnitionAt(qint64 elapsedMs) const;
    // No fix until this much streaming has passed.
    void SetFixDelay(int ms) { FFixDelayMs = ms > 0 ? ms : 0; }
    int FixDelay() const { return FFixDelayMs; }
    void SetFault(TInstallFault fault, bool on);
    bool Fault(TInstallFault fault) const { return (FFaults & (1u << fault)) != 0; }

    // "selftest", "nofix", "noserver", "voltage", "ignition", "memory";
    // ifCount for an unknown name.
    static TInstallFault FaultByName(const QString& name);
    static QString FaultNames();

private:
    std::atomic_bool FIgnition{false};
    std::atomic_int FToggleMs{0};
    std::atomic_int FFixDelayMs{kDefaultFixDelayMs};
    std::atomic_uint FFaults{0};
};
