#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>
#include <exception>
#include <functional>

class QSerialPort;

// Serial port failure. Message() is one of the fixed texts, followed by
// " (Error: %d)" when a system error number is known.
class EComPort : public std::exception {
public:
    explicit EComPort(int code, int systemError = -1);
    int Code() const { return FCode; }
    int SystemError() const { return FSystemError; }
    QString Message() const;
    const char* what() const noexcept override;

    // The fixed text of a code, without the system error.
    static QString CodeText(int code);

private:
    int FCode;
    int FSystemError;
    QByteArray FWhat;
};

// Failure codes of EComPort.
enum TComErrorCode {
    ceOpen = 1,
    ceWrite = 2,
    ceRead = 3,
    ceAsyncParam = 4,
    cePurge = 5,
    ceAsyncStatus = 6,
    ceSetState = 7,
    ceSetTimeouts = 8,
    ceSetup = 9,
    ceClearError = 10,
    ceModemStatus = 11,
    ceConnected = 14,
    ceLink = 18,
    ceRxBufLinked = 22,
    ceNotOpen = 24,
};

enum TDataBits { dbFive, dbSix, dbSeven, dbEight };
enum TParityBits { prNone, prOdd, prEven, prMark, prSpace };
enum TStopBits { sbOneStopBit, sbOne5StopBits, sbTwoStopBits };

struct TComTimeouts {
    quint32 ReadInterval = 0;
    quint32 ReadTotalMultiplier = 0;
    quint32 ReadTotalConstant = 0;
    quint32 WriteTotalMultiplier = 0;
    quint32 WriteTotalConstant = 0;
};

// A read whose interval and total limits are both off would wait for ever
// on a silent device and freeze the window; it ends after this long.
constexpr int kReadUnboundedLimitMs = 5000;
// The same bound for a write whose total limit is off.
constexpr int kWriteUnboundedLimitMs = 5000;
// After the device's ">" prompt a read waits this many character times for
// more bytes before it takes the answer as complete...
constexpr int kPromptGraceChars = 3;
// ...but never less than this: a USB adapter or the scheduler can hold back
// the next byte for a moment even at high speeds.
constexpr int kPromptGraceMinUs = 2000;

// A party that wants the received data. A link with OnRxBuf set makes the
// port read everything waiting on each notification and hand it over.
class TComLink {
public:
    std::function<void(const QByteArray& chunk)> OnRxBuf;
};

class TComPort : public QObject {
    Q_OBJECT
public:
    explicit TComPort(QObject* parent = nullptr);
    ~TComPort() override;

    QString Port() const;
    void SetPort(const QString& name);
    quint32 CustomBaudRate() const;
    void SetCustomBaudRate(quint32 rate);
    TDataBits DataBits() const;
    void SetDataBits(TDataBits bits);
    TParityBits Parity() const;
    void SetParity(TParityBits parity);
    TStopBits StopBits() const;
    void SetStopBits(TStopBits bits);
    void SetDataBitsText(const QString& text);
    void SetParityText(const QString& text);
    void SetStopBitsText(const QString& text);

    TComTimeouts Timeouts() const;
    void SetTimeouts(const TComTimeouts& timeouts);
    void SetReadTotalConstant(quint32 ms);

    // Prompt mode: a read also ends when what came since the input queue was
    // last purged ends with CR ">" or LF ">" and nothing more comes within
    // the grace. A byte within the grace lets the read go on under the
    // time-outs. Off, reads end on the time-outs and the count alone.
    bool EndOnPrompt() const;
    void SetEndOnPrompt(bool on);
    // The last read ended on the prompt (never in the off mode, never on a
    // read that ended on its count).
    bool EndedOnPrompt() const;
    // The grace at the current line settings, in microseconds.
    qint64 PromptGraceUs() const;
    static qint64 PromptGraceUs(quint32 baudRate, TDataBits dataBits, TParityBits parity,
                                TStopBits stopBits);

    int InputSize() const;
    int OutputSize() const;
    void SetBufferSizes(int inputSize, int outputSize);

    bool Connected() const;
    void Open();
    void Close();
    void ClearBuffers(bool input, bool output);
    int WriteText(const QString& text);
    int WriteBytes(const QByteArray& bytes);
    QString ReadText(int maxCount);
    QByteArray ReadBytes(int maxCount);
    int InputCount();
    // Sorts port names as text without regard to letter case.
    static void SortPortNames(QStringList& names);

    void RegisterLink(TComLink* link);
    void UnRegisterLink(TComLink* link);
    bool HasDataLink() const;

    // The device path a port name maps to ("COM3" -> "/dev/ttyS2").
    static QString DevicePath(const QString& name);

    // The device hung up (unplugged adapter, closed pty) while the port is
    // still open for the program; the next read or write raises.
    bool HungUp() const;
    // Error notifications seen from the serial driver since the port was
    // created (a hang-up must not turn into an endless stream of them).
    int ErrorNotificationCount() const;

private:
    struct TImpl;
    TImpl* d;
};
