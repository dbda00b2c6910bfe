#pragma once

#include "SimInstallation.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

// A simulated tracker on a pseudo-terminal.
//
// The device runs on a thread of its own (the program under test reads with
// blocking calls on the GUI thread), so every public function is thread-safe
// and may be called from the test's thread while the device serves.
//
// Wire behaviour:
// - every received byte is echoed (SetEcho(false) turns that off); zero
//   bytes are ignored entirely (not echoed, not recorded);
// - a line ends at CR or LF (a LF right after a CR is dropped); backspace
//   takes back a character; every non-empty line is recorded exactly as
//   received (ReceivedLines, without the CR);
// - outside command mode only CR "4817263" CR is answered: its echo and then
//   CR LF ">" (SetEntryPromptLF: LF ">"), and the device is in command mode;
//   inside command mode the same line gets its echo alone;
// - "AT" + name + "=?" -> CR LF "+RESP:NAME,v1,v2,..." CR LF CR LF ">"
//   (every row and parameter in profile order, a value holding a comma is
//   double-quoted);
// - "AT" + name + "=" + password + "," + values -> password and value checks,
//   the row is stored, then the stored values are answered as for a read;
//   errors: "+RESP:NAME,ERROR,PASSWORD" / ",ERROR,PERMISSION" / ",ERROR,COMMAND".
//   The master password opens every command, the user password every one
//   whose passwordmode is not admin (PERMISSION there), anything else is
//   PASSWORD. An indexed command carries its 1-based row first; an empty
//   field keeps its value; a value outside its kind's rules (integer bounds,
//   string MaxLen, hex digits/MaxLen/bounds, option values) stores nothing
//   and answers COMMAND. A command without parameters answers ",OK";
// - a line "AT" alone -> CR LF "OK" CR LF ">"; a line not starting with
//   "AT" in command mode gets its echo only;
// - an unknown or unsupported command -> CR LF "NOT SUPPORTED" CR LF ">";
// - "+TEXT" and "+SRBT" answer, then leave command mode; "+SAVE" counts a
//   flash store (FlashSaveCount);
// - "AT+SDAD=" password ",,3,..." starts the status stream, ",,0,..." stops
//   it; both answer CR LF "+RESP:SDAD,OK" CR LF ">". Each period sends the
//   lines of StatusReportLines, each followed by CR LF (the first period's
//   after a CR LF of its own, so that it starts a line after the prompt).
// Defaults: echo on, out of command mode, user password "1111", master
// password "0000", stream period 500 ms.
class TTrackerSim : public QObject {
    Q_OBJECT
public:
    // Where the answer's garbage goes.
    enum TGarbageMode {
        gmOff,     // clean answers
        gmBefore,  // a garbage line before the real answer
        gmInstead, // garbage lines and the prompt instead of the answer
    };

    explicit TTrackerSim(QObject* parent = nullptr);
    ~TTrackerSim() override;

    // Opens the pty and starts the device thread. An empty profile path means
    // cmdprofile.xml beside the executable. False (ErrorText) on failure.
    // The profile is read with the program's own loader (which fills the
    // global command table); the device copies what it needs at once.
    bool Start(const QString& profilePath = {});
    // The same with a profile text in memory (UTF-8 XML).
    bool StartWithProfileData(const QByteArray& xml);
    // The same with the command table the program holds right now.
    bool StartWithCurrentProfile();
    // Also removes a published link. A subclass that overrides
    // StatusReportLines calls it in its own destructor.
    void Stop();
    bool Running() const;
    QString ErrorText() const;

    // The pty slave the program opens (changes after Reappear).
    QString SlavePath() const;
    // Publishes a symbolic link to the slave (re-pointed after Reappear).
    bool PublishLink(const QString& path);
    QString LinkPath() const;

    // The port vanishes at once: master closed, link removed.
    void Vanish();
    // The port vanishes when the (n+1)-th command line arrives from now on:
    // n more lines are answered, the next one is recorded and then the port
    // vanishes without answering it. n < 0 cancels.
    void VanishAfter(int n);
    // A new pty (new SlavePath); a published link is re-pointed to it. The
    // device comes back out of command mode, not streaming.
    bool Reappear();
    bool Vanished() const;

    // Faults and switches.
    void SetEcho(bool on);
    void SetByteDelay(int ms);                     // pause before every byte sent
    void SetChunking(int pieceBytes, int pauseMs); // answers in pieces; 0: off
    void SetSilent(bool on);                       // sends nothing at all (still records)
    // The device stops taking bytes off the line, so the program's writes
    // fill the queues and block.
    void SetInputStalled(bool on);
    void SetGarbage(TGarbageMode mode);
    void SetGarbage(bool on) { SetGarbage(on ? gmInstead : gmOff); }
    // Answers padded (with a filler line before the response) so that the
    // part after the echo is exactly this many bytes; 0 turns it off.
    void SetAnswerPayloadSize(int bytes);
    // Answers padded beyond kLongAnswerBytes.
    void SetLongAnswers(bool on);
    // The closing ">" of an answer goes out this long after the rest; 0: off.
    void SetPromptPause(int ms);
    // These bytes follow the closing ">" of every answer: in the same write
    // when pauseMs is 0, else that long after it. Empty: off.
    void SetAfterPrompt(const QByteArray& bytes, int pauseMs);
    // The entry answer is echo + CR LF ">" (ends LF ">", the default) or,
    // switched off, echo + CR ">".
    void SetEntryPromptLF(bool on);
    void SetInCommandMode(bool on);
    bool InCommandMode() const;
    void SetPasswords(const QString& user, const QString& master);
    // The device answers "NOT SUPPORTED" to this command (name with "+").
    void SetUnsupported(const QString& command, bool unsupported);
    // Writes leave this parameter (zero-based, every row) as it was; the
    // answer shows the value kept.
    void SetRefusedValue(const QString& command, int param, bool refused);
    // The device answers writes of this command as if it took them but keeps
    // its values (a write that does not stick).
    void SetForgetful(const QString& command, bool forgetful);
    // The device echoes this command but never answers it and does nothing
    // (a +SAVE that silently fails, say).
    void SetMute(const QString& command, bool mute);
    // Answers to this command (reads and writes) lack their last fields.
    void SetShortAnswers(const QString& command, int missingFields);
    // Hexadecimal values are answered without leading zeros ("00FF" as "FF").
    void SetUnpaddedHex(bool on);
    void SetStreamPeriod(int ms);

    // Stored values (command name with "+", row and parameter zero-based).
    // Empty for an unknown address; SetValue returns false then.
    QString Value(const QString& command, int row, int param) const;
    bool SetValue(const QString& command, int row, int param, const QString& value);
    QStringList Values(const QString& command, int row) const;
    QStringList CommandNames() const;

    int FlashSaveCount() const;
    bool Streaming() const;
    int StreamReportsSent() const;

    // Lines received (CR cut off, zero bytes left out), passwords included.
    QStringList ReceivedLines() const;
    // Every non-zero byte received since the last ClearReceived.
    QByteArray ReceivedBytes() const;
    int ZeroBytesReceived() const;
    void ClearReceived();
    // Waits (on the caller's thread, without an event loop) until at least
    // count lines have been recorded; false on time-out.
    bool WaitForLines(int count, int timeoutMs) const;
    // Waits until everything queued for sending has left the device.
    bool WaitForIdle(int timeoutMs) const;

    // Puts raw bytes on the line (subject to byte delay/chunking), pauseMs
    // after what was queued before them has gone out.
    void SendRaw(const QByteArray& bytes, int pauseMs = 0);

    // Lines of one stream period, each sent with CR LF. Called on the device
    // thread without the lock held; tick counts periods from 0. Assign it
    // through SetStatusReportSource while the device runs.
    using TStatusReportSource = std::function<QStringList(int tick)>;
    void SetStatusReportSource(TStatusReportSource source);

    // The vehicle the tracker is fitted in: ignition, fix delay and one fault
    // switch per criterion of the installation check. The stream shows it
    // once UseInstallationStream has made the installation reports (at the
    // stream period set then) its source.
    void UseInstallationStream();
    TSimInstallation& Installation();
    void SetIgnition(bool on);
    void SetInstallFault(TInstallFault fault, bool on);

    static constexpr int kLongAnswerBytes = 300;
    // What SetLongAnswers pads an answer to (after the echo).
    static constexpr int kLongAnswerPaddedBytes = 350;
    static constexpr int kDefaultStreamPeriodMs = 500;
    static constexpr const char* kDefaultUserPassword = "1111";
    static constexpr const char* kDefaultMasterPassword = "0000";
    static constexpr const char* kAccessCode = "4817263";

protected:
    // The default report of one period: the source when set, else a DPRM line.
    virtual QStringList StatusReportLines(int tick);

private:
    struct TImpl;
    TImpl* d;
};
