#include "ComPort.h"

#include "WireChars.h"
#include "base/CodePage.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QtDebug>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Consecutive read errors without a visible hang-up after which the device
// is taken as gone anyway (the driver would otherwise report them for ever).
constexpr int kReadErrorStormLimit = 16;
// Unix98 pty slaves use majors 136..143; BSD-style slaves major 3.
constexpr unsigned kPtySlaveMajorFirst = 136;
constexpr unsigned kPtySlaveMajorLast = 143;
constexpr unsigned kBsdPtySlaveMajor = 3;
constexpr qint64 kUsPerSecond = std::chrono::microseconds(std::chrono::seconds(1)).count();

qint64 ElapsedUs(const QElapsedTimer& timer) {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::nanoseconds(timer.nsecsElapsed()))
        .count();
}

// A wait in whole milliseconds that lasts at least us.
qint64 CeilMs(qint64 us) {
    return std::chrono::ceil<std::chrono::milliseconds>(std::chrono::microseconds(us)).count();
}

// Line bits of one character in half bits (1.5 stop bits is three halves).
int HalfBitsPerChar(TDataBits dataBits, TParityBits parity, TStopBits stopBits) {
    const int start = 2;
    const int data = 2 * (5 + int(dataBits));
    const int parityBit = parity == prNone ? 0 : 2;
    const int stop = stopBits == sbOneStopBit ? 2 : stopBits == sbOne5StopBits ? 3 : 4;
    return start + data + parityBit + stop;
}

int KnownErrno(int e) {
    return e > 0 ? e : -1;
}

bool IsPseudoTerminal(int fd) {
    struct stat st {};
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned m = major(st.st_rdev);
    return (m >= kPtySlaveMajorFirst && m <= kPtySlaveMajorLast) || m == kBsdPtySlaveMajor;
}

QSerialPort::DataBits ToQt(TDataBits bits) {
    switch (bits) {
    case dbFive:
        return QSerialPort::Data5;
    case dbSix:
        return QSerialPort::Data6;
    case dbSeven:
        return QSerialPort::Data7;
    case dbEight:
        break;
    }
    return QSerialPort::Data8;
}

QSerialPort::Parity ToQt(TParityBits parity) {
    switch (parity) {
    case prOdd:
        return QSerialPort::OddParity;
    case prEven:
        return QSerialPort::EvenParity;
    case prMark:
        return QSerialPort::MarkParity;
    case prSpace:
        return QSerialPort::SpaceParity;
    case prNone:
        break;
    }
    return QSerialPort::NoParity;
}

QSerialPort::StopBits ToQt(TStopBits bits) {
    // termios knows one or two stop bits; a UART sends 1.5 for CSTOPB with
    // five data bits, so "1.5" asks for the longer setting.
    return bits == sbOneStopBit ? QSerialPort::OneStop : QSerialPort::TwoStop;
}

} // namespace

// ---------------------------------------------------------------------------

EComPort::EComPort(int code, int systemError) : FCode(code), FSystemError(systemError) {
    FWhat = Message().toUtf8();
}

QString EComPort::CodeText(int code) {
    switch (code) {
    case ceOpen:
        return QStringLiteral("Unable to open com port");
    case ceWrite:
        return QStringLiteral("WriteFile function failed");
    case ceRead:
        return QStringLiteral("ReadFile function failed");
    case ceAsyncParam:
        return QStringLiteral("Invalid Async parameter");
    case cePurge:
        return QStringLiteral("PurgeComm function failed");
    case ceAsyncStatus:
        return QStringLiteral("Unable to get async status");
    case ceSetState:
        return QStringLiteral("SetCommState function failed");
    case ceSetTimeouts:
        return QStringLiteral("SetCommTimeouts failed");
    case ceSetup:
        return QStringLiteral("SetupComm function failed");
    case ceClearError:
        return QStringLiteral("ClearCommError function failed");
    case ceModemStatus:
        return QStringLiteral("GetCommModemStatus function failed");
    case ceConnected:
        return QStringLiteral("Cannot set property while connected");
    case ceLink:
        return QStringLiteral("Link (un)registration failed");
    case ceRxBufLinked:
        return QStringLiteral("A component is linked to OnRxBuf event");
    case ceNotOpen:
        return QStringLiteral("Port Not Open");
    default:
        break;
    }
    return QStringLiteral("Unknown com port error");
}

QString EComPort::Message() const {
    QString text = CodeText(FCode);
    if (FSystemError > 0)
        text += QStringLiteral(" (Error: %1)").arg(FSystemError);
    return text;
}

const char* EComPort::what() const noexcept {
    return FWhat.constData();
}

// ---------------------------------------------------------------------------

// What a port holds before its settings are applied.
constexpr quint32 kDefaultBaudRate = 9600;
constexpr int kDefaultQueueSize = 1024;

struct TComPort::TImpl {
    TComPort* Q = nullptr;
    QSerialPort* Serial = nullptr; // the open device; gone after a hang-up
    QString Port = QStringLiteral("COM1");
    quint32 BaudRate = kDefaultBaudRate;
    TDataBits DataBits = dbEight;
    TParityBits Parity = prNone;
    TStopBits StopBits = sbOneStopBit;
    TComTimeouts Timeouts;
    int InputSize = kDefaultQueueSize;
    int OutputSize = kDefaultQueueSize;
    bool Connected = false;
    bool HungUp = false;
    int HangUpError = EIO;
    bool Busy = false; // inside a blocking read or write
    bool DispatchPosted = false;
    int ErrorCount = 0;
    int ReadErrorRun = 0;
    QVector<TComLink*> Links;
    bool EndOnPrompt = false;
    bool EndedOnPrompt = false;
    // The last bytes the reads took since the input queue was last purged:
    // enough to see a prompt that came split over two reads.
    QByteArray Tail;

    void NoteRead(const QByteArray& bytes);
    bool TailIsPrompt() const;

    void ApplyLineSettings();
    void ReleaseSerial();
    bool CheckHangUp();
    void MarkHungUp(int error);
    void OnReadyRead();
    void OnError(QSerialPort::SerialPortError error);
    void Dispatch();
    void EnsureIo(int failCode) const;
};

void TComPort::TImpl::ApplyLineSettings() {
    if (!Serial)
        return;
    // A pseudo-terminal refuses some of what a real line takes; it carries
    // the bytes all the same, so its refusals do not count.
    const bool pty = IsPseudoTerminal(int(Serial->handle()));
    auto check = [&](bool ok) {
        if (!ok && !pty)
            throw EComPort(ceSetState, KnownErrno(errno));
    };
    const qint32 rate = BaudRate > quint32(INT_MAX) ? INT_MAX : qint32(BaudRate);
    errno = 0;
    check(Serial->setBaudRate(rate));
    check(Serial->setDataBits(ToQt(DataBits)));
    check(Serial->setParity(ToQt(Parity)));
    check(Serial->setStopBits(ToQt(StopBits)));
    check(Serial->setFlowControl(QSerialPort::NoFlowControl));
    // DTR and RTS are not used for handshake: hold them inactive where the
    // device has them at all.
    Serial->setDataTerminalReady(false);
    Serial->setRequestToSend(false);
    Serial->clearError();
}

void TComPort::TImpl::ReleaseSerial() {
    if (!Serial)
        return;
    QSerialPort* serial = Serial;
    Serial = nullptr;
    QObject::disconnect(serial, nullptr, Q, nullptr);
    if (serial->isOpen())
        serial->close();
    delete serial;
}

bool TComPort::TImpl::CheckHangUp() {
    if (HungUp)
        return true;
    const int fd = Serial ? int(Serial->handle()) : -1;
    if (fd < 0) {
        MarkHungUp(EBADF);
        return true;
    }
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        MarkHungUp(EIO);
        return true;
    }
    return false;
}

void TComPort::TImpl::MarkHungUp(int error) {
    if (HungUp)
        return;
    HungUp = true;
    HangUpError = error;
    // Silence the driver at once (a hung-up tty stays readable for ever),
    // then drop the device outside the notification that brought us here.
    // The port stays Connected for the program until it closes it.
    if (Serial) {
        const auto notifiers = Serial->findChildren<QSocketNotifier*>();
        for (QSocketNotifier* n : notifiers)
            n->setEnabled(false);
        QMetaObject::invokeMethod(
            Q,
            [this] {
                if (HungUp)
                    ReleaseSerial();
            },
            Qt::QueuedConnection);
    }
}

void TComPort::TImpl::OnReadyRead() {
    ReadErrorRun = 0; // data came: whatever failed before was no hang-up
    // Without a data link the bytes stay where the next read finds them.
    // The hand-over runs from the event loop, never from inside the driver's
    // notification (a handler may close the port).
    if (DispatchPosted || !Q->HasDataLink())
        return;
    DispatchPosted = true;
    QMetaObject::invokeMethod(
        Q, [this] { Dispatch(); }, Qt::QueuedConnection);
}

void TComPort::TImpl::Dispatch() {
    DispatchPosted = false;
    if (!Serial || HungUp || Busy || !Q->HasDataLink())
        return;
    const QByteArray chunk = Serial->readAll();
    if (chunk.isEmpty())
        return;
    const QVector<TComLink*> links = Links; // a handler may (un)register
    for (TComLink* link : links) {
        if (!Links.contains(link) || !link->OnRxBuf)
            continue;
        try {
            link->OnRxBuf(chunk);
        } catch (const std::exception& e) {
            qWarning("Received-data handler failed: %s", e.what());
        } catch (...) {
            qWarning("Received-data handler failed");
        }
    }
}

void TComPort::TImpl::OnError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
        return;
    const int sysError = errno; // the driver's, as the notification was raised
    ++ErrorCount;
    if (Busy || HungUp)
        return; // the blocking call in progress reports it
    if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError) {
        if (CheckHangUp())
            return;
        const bool transient = sysError == EAGAIN || sysError == EINTR;
        if ((error == QSerialPort::ResourceError && !transient) ||
            ++ReadErrorRun >= kReadErrorStormLimit)
            MarkHungUp(sysError > 0 && !transient ? sysError : EIO);
    }
}

void TComPort::TImpl::NoteRead(const QByteArray& bytes) {
    Tail = (Tail + bytes).right(2);
}

bool TComPort::TImpl::TailIsPrompt() const {
    return Tail.size() == 2 && Tail.at(1) == kPrompt && (Tail.at(0) == kCR || Tail.at(0) == kLF);
}

void TComPort::TImpl::EnsureIo(int failCode) const {
    if (!Connected)
        throw EComPort(ceNotOpen);
    if (HungUp || !Serial)
        throw EComPort(failCode, HangUpError);
}

// ---------------------------------------------------------------------------

TComPort::TComPort(QObject* parent) : QObject(parent), d(new TImpl) {
    d->Q = this;
}

TComPort::~TComPort() {
    d->ReleaseSerial();
    delete d;
}

QString TComPort::Port() const {
    return d->Port;
}

void TComPort::SetPort(const QString& name) {
    if (name == d->Port)
        return;
    const bool reopen = d->Connected;
    Close();
    d->Port = name;
    if (reopen)
        Open();
}

quint32 TComPort::CustomBaudRate() const {
    return d->BaudRate;
}

void TComPort::SetCustomBaudRate(quint32 rate) {
    d->BaudRate = rate;
    d->ApplyLineSettings();
}

TDataBits TComPort::DataBits() const {
    return d->DataBits;
}

void TComPort::SetDataBits(TDataBits bits) {
    d->DataBits = bits;
    d->ApplyLineSettings();
}

TParityBits TComPort::Parity() const {
    return d->Parity;
}

void TComPort::SetParity(TParityBits parity) {
    d->Parity = parity;
    d->ApplyLineSettings();
}

TStopBits TComPort::StopBits() const {
    return d->StopBits;
}

void TComPort::SetStopBits(TStopBits bits) {
    d->StopBits = bits;
    d->ApplyLineSettings();
}

void TComPort::SetDataBitsText(const QString& text) {
    static const char* const kNames[] = {"5", "6", "7", "8"};
    TDataBits bits = dbEight;
    for (int i = 0; i < 4; ++i)
        if (text.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
            bits = TDataBits(i);
    SetDataBits(bits);
}

void TComPort::SetParityText(const QString& text) {
    static const char* const kNames[] = {"None", "Odd", "Even", "Mark", "Space"};
    TParityBits parity = prNone;
    for (int i = 0; i < 5; ++i)
        if (text.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
            parity = TParityBits(i);
    SetParity(parity);
}

void TComPort::SetStopBitsText(const QString& text) {
    static const char* const kNames[] = {"1", "1.5", "2"};
    TStopBits bits = sbOneStopBit;
    for (int i = 0; i < 3; ++i)
        if (text.compare(QLatin1String(kNames[i]), Qt::CaseInsensitive) == 0)
            bits = TStopBits(i);
    SetStopBits(bits);
}

// The time-outs are kept by the layer itself and take effect with the next
// read or write, so setting them while open needs nothing more.
TComTimeouts TComPort::Timeouts() const {
    return d->Timeouts;
}
void TComPort::SetTimeouts(const TComTimeouts& timeouts) {
    d->Timeouts = timeouts;
}
void TComPort::SetReadTotalConstant(quint32 ms) {
    d->Timeouts.ReadTotalConstant = ms;
}

bool TComPort::EndOnPrompt() const {
    return d->EndOnPrompt;
}
void TComPort::SetEndOnPrompt(bool on) {
    d->EndOnPrompt = on;
}
bool TComPort::EndedOnPrompt() const {
    return d->EndedOnPrompt;
}

qint64 TComPort::PromptGraceUs() const {
    return PromptGraceUs(d->BaudRate, d->DataBits, d->Parity, d->StopBits);
}

qint64 TComPort::PromptGraceUs(quint32 baudRate, TDataBits dataBits, TParityBits parity,
                               TStopBits stopBits) {
    // A line without a speed carries nothing; the floor is as good as any.
    if (baudRate == 0)
        return kPromptGraceMinUs;
    const qint64 halfBits = qint64(kPromptGraceChars) * HalfBitsPerChar(dataBits, parity, stopBits);
    const qint64 divisor = 2 * qint64(baudRate);
    const qint64 us = (halfBits * kUsPerSecond + divisor - 1) / divisor;
    return std::max<qint64>(us, kPromptGraceMinUs);
}

int TComPort::InputSize() const {
    return d->InputSize;
}
int TComPort::OutputSize() const {
    return d->OutputSize;
}

void TComPort::SetBufferSizes(int inputSize, int outputSize) {
    // Queue sizes are even (an odd request is lowered by one).
    d->InputSize = std::max(0, inputSize) & ~1;
    d->OutputSize = std::max(0, outputSize) & ~1;
}

bool TComPort::Connected() const {
    return d->Connected;
}

void TComPort::Open() {
    if (d->Connected)
        return;
    auto* serial = new QSerialPort(this);
    serial->setPortName(DevicePath(d->Port));
    errno = 0;
    if (!serial->open(QIODevice::ReadWrite)) {
        int error = errno;
        if (error <= 0) {
            switch (serial->error()) {
            case QSerialPort::DeviceNotFoundError:
                error = ENOENT;
                break;
            case QSerialPort::PermissionError:
                error = EACCES;
                break;
            default:
                error = EIO;
                break;
            }
        }
        delete serial;
        throw EComPort(ceOpen, error);
    }
    d->Serial = serial;
    d->Connected = true;
    d->HungUp = false;
    d->Tail.clear();
    d->ReadErrorRun = 0;
    d->DispatchPosted = false;
    connect(serial, &QSerialPort::readyRead, this, [this] { d->OnReadyRead(); });
    connect(serial, &QSerialPort::errorOccurred, this,
            [this](QSerialPort::SerialPortError e) { d->OnError(e); });
    try {
        d->ApplyLineSettings();
    } catch (...) {
        d->ReleaseSerial();
        d->Connected = false;
        throw;
    }
}

void TComPort::Close() {
    if (!d->Connected)
        return;
    // Unread input goes; what was written still leaves the line.
    if (d->Serial && !d->HungUp)
        d->Serial->clear(QSerialPort::Input);
    d->ReleaseSerial();
    d->Connected = false;
    d->HungUp = false;
    d->DispatchPosted = false;
    d->Tail.clear();
}

void TComPort::ClearBuffers(bool input, bool output) {
    // A purged input queue starts a new answer.
    if (input)
        d->Tail.clear();
    if (!d->Connected || !d->Serial || d->HungUp)
        return;
    QSerialPort::Directions dirs;
    if (input)
        dirs |= QSerialPort::Input;
    if (output)
        dirs |= QSerialPort::Output;
    if (!dirs)
        return;
    errno = 0;
    if (!d->Serial->clear(dirs))
        throw EComPort(cePurge, KnownErrno(errno));
}

int TComPort::WriteText(const QString& text) {
    return WriteBytes(ToCodePage(text));
}

int TComPort::WriteBytes(const QByteArray& bytes) {
    d->EnsureIo(ceWrite);
    if (bytes.isEmpty())
        return 0;
    const int fd = int(d->Serial->handle());
    qint64 limit = qint64(d->Timeouts.WriteTotalConstant) +
                   qint64(d->Timeouts.WriteTotalMultiplier) * bytes.size();
    if (limit <= 0)
        limit = kWriteUnboundedLimitMs;
    // Written straight to the descriptor, so that a failure carries its own
    // system error and a time-out cut leaves nothing queued behind.
    QElapsedTimer timer;
    timer.start();
    int written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n > 0) {
            written += int(n);
            continue;
        }
        const int error = n < 0 ? errno : EAGAIN;
        if (error == EINTR)
            continue;
        if (error != EAGAIN) {
            if (error == EIO || error == ENXIO || error == ENODEV || error == EBADF)
                d->MarkHungUp(error);
            throw EComPort(ceWrite, KnownErrno(error));
        }
        const qint64 left = limit - timer.elapsed();
        if (left <= 0)
            break;
        pollfd p{fd, POLLOUT, 0};
        const int r = ::poll(&p, 1, int(std::min<qint64>(left, INT_MAX)));
        if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL))) {
            d->MarkHungUp(EIO);
            throw EComPort(ceWrite, EIO);
        }
    }
    return written;
}

QString TComPort::ReadText(int maxCount) {
    return FromCodePage(ReadBytes(maxCount));
}

QByteArray TComPort::ReadBytes(int maxCount) {
    d->EndedOnPrompt = false;
    d->EnsureIo(ceRead);
    QByteArray data;
    if (maxCount <= 0)
        return data;
    const bool promptMode = d->EndOnPrompt;
    const qint64 graceUs = PromptGraceUs();
    const TComTimeouts t = d->Timeouts;
    qint64 total = qint64(t.ReadTotalConstant) + qint64(t.ReadTotalMultiplier) * maxCount;
    const qint64 interval = t.ReadInterval;
    // A read with no total limit still ends, so a silent device never
    // freezes the window.
    if (total <= 0)
        total = kReadUnboundedLimitMs;

    struct TBusy {
        bool& Flag;
        explicit TBusy(bool& f) : Flag(f) { Flag = true; }
        ~TBusy() { Flag = false; }
    } busy(d->Busy);

    QElapsedTimer timer;
    timer.start();
    qint64 lastByteAt = 0;
    // A prompt carried over from the previous read of the answer gets its
    // grace from the start of this one.
    qint64 lastByteAtUs = 0;
    for (;;) {
        QSerialPort* serial = d->Serial;
        if (!serial || d->HungUp)
            throw EComPort(ceRead, d->HangUpError);
        if (serial->bytesAvailable() > 0) {
            const QByteArray chunk = serial->read(maxCount - data.size());
            data += chunk;
            d->NoteRead(chunk);
            lastByteAt = timer.elapsed();
            lastByteAtUs = ElapsedUs(timer);
        }
        if (data.size() >= maxCount)
            break;
        const qint64 now = timer.elapsed();
        qint64 wait = total - now;
        if (interval > 0 && !data.isEmpty())
            wait = std::min(wait, lastByteAt + interval - now);
        const bool atPrompt = promptMode && d->TailIsPrompt();
        if (atPrompt) {
            const qint64 graceLeftUs = lastByteAtUs + graceUs - ElapsedUs(timer);
            wait = std::min(wait, graceLeftUs <= 0 ? 0 : CeilMs(graceLeftUs));
        }
        if (wait <= 0) {
            d->EndedOnPrompt = atPrompt;
            break;
        }
        serial->clearError();
        errno = 0;
        if (serial->waitForReadyRead(int(std::min<qint64>(wait, INT_MAX))))
            continue;
        const QSerialPort::SerialPortError error = serial->error();
        if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError)
            continue;
        const int sysError = errno;
        if (d->CheckHangUp())
            throw EComPort(ceRead, d->HangUpError);
        if (serial->bytesAvailable() > 0)
            continue;
        throw EComPort(ceRead, KnownErrno(sysError));
    }
    return data;
}

int TComPort::InputCount() {
    if (!d->Connected || !d->Serial || d->HungUp)
        return 0;
    int waiting = 0;
    const int fd = int(d->Serial->handle());
    if (fd >= 0 && ::ioctl(fd, FIONREAD, &waiting) != 0)
        waiting = 0;
    return int(d->Serial->bytesAvailable()) + waiting;
}

void TComPort::SortPortNames(QStringList& names) {
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

void TComPort::RegisterLink(TComLink* link) {
    if (!link || d->Links.contains(link))
        throw EComPort(ceLink);
    d->Links.append(link);
}

void TComPort::UnRegisterLink(TComLink* link) {
    if (!d->Links.removeOne(link))
        throw EComPort(ceLink);
}

bool TComPort::HasDataLink() const {
    return std::any_of(d->Links.cbegin(), d->Links.cend(),
                       [](const TComLink* l) { return bool(l->OnRxBuf); });
}

QString TComPort::DevicePath(const QString& name) {
    static const QRegularExpression comName(QStringLiteral("^COM([0-9]+)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = comName.match(name);
    if (m.hasMatch()) {
        bool ok = false;
        const int n = m.captured(1).toInt(&ok);
        if (ok && n >= 1)
            return QStringLiteral("/dev/ttyS%1").arg(n - 1);
    }
    if (name.startsWith(QLatin1Char('/')) || name.startsWith(QLatin1String("./")) ||
        name.startsWith(QLatin1String("../")))
        return name;
    return QStringLiteral("/dev/") + name;
}

bool TComPort::HungUp() const {
    return d->HungUp;
}
int TComPort::ErrorNotificationCount() const {
    return d->ErrorCount;
}
