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

private:
    int FCode;
    int FSystemError;
    QByteArray FWhat;
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
    static void ListPorts(QStringList& list);

    void RegisterLink(TComLink* link);
    void UnRegisterLink(TComLink* link);
    bool HasDataLink() const;

    // The device path a port name maps to ("COM3" -> "/dev/ttyS2").
    static QString DevicePath(const QString& name);

private:
    struct TImpl;
    TImpl* d;
};
