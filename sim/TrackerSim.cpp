#include "TrackerSim.h"

#include "StatusReports.h"
#include "base/CodePage.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <deque>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kReadChunkBytes = 4096;
constexpr int kMaxLineBytes = 4096; // a longer line is cut, as a device's buffer would
constexpr int kHexDefaultDigits = 8;
constexpr int kSpinGuardMs = 10; // pause when the master reports a hang-up
constexpr const char* kFillerChar = ".";

QString Upper(const QString& s) {
    return s.toUpper();
}

// Splits a comma-separated list; double quotes protect commas.
QStringList SplitFields(const QString& text) {
    QStringList fields;
    QString cur;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (c == QLatin1Char(',') && !quoted) {
            fields << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    fields << cur;
    return fields;
}

QString QuoteField(const QString& v) {
    return v.contains(QLatin1Char(',')) ? QLatin1Char('"') + v + QLatin1Char('"') : v;
}

struct TSimParam {
    TParamKind Kind = pkString;
    qint64 Min = 0;
    qint64 Max = 0;
    int MaxLen = 0;
    QStringList Options;
    QString Default;
};

struct TSimCommand {
    QString Name; // as in the profile, with "+"
    TPasswordMode Mode = pmAdminUser;
    bool Indexed = false;
    int Rows = 1;
    QVector<TSimParam> Params;
    QVector<QStringList> Values; // rows x parameters
};

QString InitialValue(const TCmdParameter& p) {
    switch (p.ParamKind) {
    case pkInteger:
        return p.DefaultValue.isEmpty() ? QStringLiteral("0") : p.DefaultValue;
    case pkHex:
        if (!p.DefaultValue.isEmpty())
            return p.DefaultValue;
        return QString(p.MaxLen > 0 ? p.MaxLen : kHexDefaultDigits, QLatin1Char('0'));
    case pkOption:
        if (p.DefaultValue.isEmpty() && !p.Options.isEmpty())
            return p.Options.first().OptionValue;
        return p.DefaultValue;
    case pkString:
        break;
    }
    return p.DefaultValue;
}

bool ValueFits(const TSimParam& p, const QString& v) {
    switch (p.Kind) {
    case pkInteger: {
        bool ok = false;
        const qint64 n = v.toLongLong(&ok, 10);
        return ok && n >= p.Min && n <= p.Max;
    }
    case pkHex: {
        const int maxLen = p.MaxLen > 0 ? p.MaxLen : kHexDefaultDigits;
        if (v.size() > maxLen)
            return false;
        for (const QChar c : v)
            if (!isxdigit(c.toLatin1()) || c.unicode() > 0x7F)
                return false;
        bool ok = false;
        const qint64 n = v.toLongLong(&ok, 16);
        return ok && n >= p.Min && n <= p.Max;
    }
    case pkOption:
        return p.Options.isEmpty() || p.Options.contains(v);
    case pkString:
        break;
    }
    return p.MaxLen <= 0 || v.size() <= p.MaxLen;
}

QVector<TSimCommand> CopyCommands(const QVector<TCmdPage>& pages) {
    QVector<TSimCommand> out;
    for (const TCmdPage& page : pages) {
        for (const TDevCommand& c : page.Commands) {
            TSimCommand s;
            s.Name = c.CommandName;
            s.Mode = c.PasswordMode;
            s.Indexed = c.Indexed;
            s.Rows = std::max(1, c.RowCount());
            QStringList row;
            for (const TCmdParameter& p : c.Parameters) {
                TSimParam sp;
                sp.Kind = p.ParamKind;
                sp.Min = p.MinValue;
                sp.Max = p.MaxValue;
                sp.MaxLen = p.MaxLen;
                sp.Default = InitialValue(p);
                for (const TCmdOption& o : p.Options)
                    sp.Options << o.OptionValue;
                s.Params << sp;
                row << sp.Default;
            }
            s.Values = QVector<QStringList>(s.Rows, row);
            out << s;
        }
    }
    return out;
}

// Reads a profile with the program's loader but leaves the program's own
// table as it was (a test may have loaded a profile of its own).
QVector<TSimCommand> LoadWithLoader(const std::function<void()>& load) {
    const QVector<TCmdPage> saved = DevCommands;
    load();
    QVector<TSimCommand> out = CopyCommands(DevCommands);
    DevCommands = saved;
    ClearCommandIndex();
    for (int p = 0; p < DevCommands.size(); ++p)
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c)
            AddCommandIndex(DevCommands[p].Commands[c].CommandName, p, c);
    return out;
}

struct TSegment {
    QByteArray Bytes;
    int PauseMs = 0; // before the segment goes out
};

} // namespace

struct TTrackerSim::TImpl {
    TTrackerSim* Q = nullptr;
    // Standard primitives, so that a thread checker sees every hand-over.
    mutable std::mutex Mutex;
    mutable std::condition_variable Changed;

    // Owned by the device thread once it runs.
    int MasterFd = -1;
    int SlaveFd = -1;
    int WakeFds[2] = {-1, -1};
    std::thread Thread;
    std::atomic<bool> StopFlag{false};
    bool Running = false;
    QString Error;

    // Shared state (under Mutex).
    QString SlavePath;
    QString LinkPath;
    bool Vanished = false;
    int VanishCountdown = -1;
    bool Echo = true;
    int ByteDelayMs = 0;
    int ChunkBytes = 0;
    int ChunkPauseMs = 0;
    bool Silent = false;
    bool InputStalled = false;
    TGarbageMode Garbage = gmOff;
    int PayloadSize = 0;
    bool LongAnswers = false;
    int PromptPauseMs = 0;
    QByteArray AfterPrompt;
    int AfterPromptPauseMs = 0;
    bool EntryPromptLF = true;
    bool InCommandMode = false;
    QString UserPassword = QLatin1String(kDefaultUserPassword);
    QString MasterPassword = QLatin1String(kDefaultMasterPassword);
    QSet<QString> Unsupported;   // upper-case names
    QSet<QString> Refused;       // "NAME/parameter": writes keep the old value
    QSet<QString> Forgetful;     // upper-case names: writes answered, values kept
    QSet<QString> Mute;          // upper-case names: echoed, never answered, nothing done
    QHash<QString, int> ShortBy; // upper-case name -> fields left off the end of its answers
    bool UnpaddedHex = false;    // hex values answered without leading zeros
    int StreamPeriodMs = kDefaultStreamPeriodMs;
    QVector<TSimCommand> Commands;
    QHash<QString, int> Index; // upper-case name -> position
    int FlashSaves = 0;
    bool Streaming = false;
    int StreamTick = 0;
    int ReportsSent = 0;
    qint64 NextReportAt = 0;
    TStatusReportSource ReportSource;
    std::shared_ptr<TSimInstallation> Installation = std::make_shared<TSimInstallation>();
    QStringList Lines;
    QByteArray Received;
    int ZeroBytes = 0;
    std::deque<TSegment> Out;
    qint64 HeadDueAt = 0;
    std::deque<std::function<void()>> Tasks;
    int TasksDone = 0;
    int TasksQueued = 0;

    // Device-thread state.
    QByteArray LineBuf;
    bool LastWasCR = false;
    QElapsedTimer Clock;

    bool StartWith(const QVector<TSimCommand>& commands);
    bool OpenPty(QString* error);
    void ClosePty();
    void Wake();
    void RunOnDevice(const std::function<void()>& task);
    void Loop();
    void HandleInput(const char* data, int n);
    void HandleLine(const QByteArray& line);
    QByteArray Answer(const QString& line);
    QByteArray ReadAnswer(const TSimCommand& c) const;
    QByteArray WriteAnswer(const QString& name, const QString& rest);
    QByteArray Pad(QByteArray answer) const;
    void QueueEcho(char byte);
    void QueueAnswer(const QByteArray& answer);
    void QueuePaced(const QByteArray& bytes, int firstPause);
    void Queue(const QByteArray& bytes, int firstPause, int pause, int piece);
    void VanishNow();
    bool RepointLink();
    void RemoveLink();
};

// --- pty and link ----------------------------------------------------------

bool TTrackerSim::TImpl::OpenPty(QString* error) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
        *error = QStringLiteral("openpty failed: %1").arg(QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    // A raw line with no echo of its own: the device does the echoing.
    termios tio{};
    if (::tcgetattr(slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        ::tcsetattr(slave, TCSANOW, &tio);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    ::fcntl(master, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave, F_SETFD, FD_CLOEXEC);
    MasterFd = master;
    // The device keeps the slave open too, so that the program closing its
    // end never turns the master into a hung-up descriptor.
    SlaveFd = slave;
    SlavePath = QString::fromLocal8Bit(name);
    return true;
}

void TTrackerSim::TImpl::ClosePty() {
    if (MasterFd >= 0)
        ::close(MasterFd);
    if (SlaveFd >= 0)
        ::close(SlaveFd);
    MasterFd = SlaveFd = -1;
}

bool TTrackerSim::TImpl::RepointLink() {
    if (LinkPath.isEmpty() || SlavePath.isEmpty())
        return true;
    const QByteArray link = QFile::encodeName(LinkPath);
    const QByteArray tmp = link + ".new" + QByteArray::number(::getpid());
    ::unlink(tmp.constData());
    if (::symlink(QFile::encodeName(SlavePath).constData(), tmp.constData()) != 0)
        return false;
    if (::rename(tmp.constData(), link.constData()) != 0) {
        ::unlink(tmp.constData());
        return false;
    }
    return true;
}

void TTrackerSim::TImpl::RemoveLink() {
    if (LinkPath.isEmpty())
        return;
    const QByteArray link = QFile::encodeName(LinkPath);
    struct stat st {};
    if (::lstat(link.constData(), &st) == 0 && S_ISLNK(st.st_mode))
        ::unlink(link.constData());
}

void TTrackerSim::TImpl::VanishNow() {
    // Device thread (or no thread at all).
    ClosePty();
    RemoveLink();
    Vanished = true;
    VanishCountdown = -1;
    Out.clear();
    LineBuf.clear();
    LastWasCR = false;
    Streaming = false;
    Changed.notify_all();
}

// --- thread plumbing -------------------------------------------------------

void TTrackerSim::TImpl::Wake() {
    if (WakeFds[1] >= 0) {
        const char c = 1;
        [[maybe_unused]] const ssize_t n = ::write(WakeFds[1], &c, 1);
    }
}

// Runs task on the device thread and waits for it. Called without the lock.
void TTrackerSim::TImpl::RunOnDevice(const std::function<void()>& task) {
    std::unique_lock<std::mutex> lock(Mutex);
    if (!Running || std::this_thread::get_id() == Thread.get_id()) {
        task();
        return;
    }
    Tasks.push_back(task);
    const int ticket = ++TasksQueued;
    Wake();
    while (TasksDone < ticket && Running)
        Changed.wait(lock);
}

bool TTrackerSim::TImpl::StartWith(const QVector<TSimCommand>& commands) {
    std::unique_lock<std::mutex> lock(Mutex);
    if (Running) {
        Error = QStringLiteral("already running");
        return false;
    }
    Commands = commands;
    Index.clear();
    for (int i = 0; i < Commands.size(); ++i)
        Index.insert(Upper(Commands[i].Name), i);
    if (!OpenPty(&Error))
        return false;
    if (::pipe2(WakeFds, O_NONBLOCK | O_CLOEXEC) != 0) {
        Error = QStringLiteral("pipe failed");
        ClosePty();
        return false;
    }
    Vanished = false;
    Clock.start();
    StopFlag = false;
    Running = true;
    Thread = std::thread([this] { Loop(); });
    return true;
}

void TTrackerSim::TImpl::Loop() {
    char buf[kReadChunkBytes];
    for (;;) {
        pollfd fds[2];
        int nfds = 1;
        int timeout = -1;
        {
            std::unique_lock<std::mutex> lock(Mutex);
            while (!Tasks.empty()) {
                auto task = Tasks.front();
                Tasks.pop_front();
                task();
                ++TasksDone;
                Changed.notify_all();
            }
            if (StopFlag)
                break;
            const qint64 now = Clock.elapsed();
            fds[0] = {WakeFds[0], POLLIN, 0};
            if (MasterFd >= 0) {
                short events = InputStalled ? 0 : POLLIN;
                if (!Out.empty()) {
                    if (HeadDueAt <= now)
                        events |= POLLOUT;
                    else
                        timeout = int(HeadDueAt - now);
                }
                fds[1] = {MasterFd, events, 0};
                nfds = 2;
                if (Streaming) {
                    const int untilReport = int(std::max<qint64>(0, NextReportAt - now));
                    timeout = timeout < 0 ? untilReport : std::min(timeout, untilReport);
                }
            }
        }
        const int r = ::poll(fds, nfds, timeout);
        if (r < 0 && errno != EINTR)
            break;
        if (r > 0 && (fds[0].revents & POLLIN)) {
            while (::read(WakeFds[0], buf, sizeof buf) > 0) {
            }
        }
        if (StopFlag)
            break;
        if (nfds < 2)
            continue;
        const int fd = fds[1].fd;
        if (r > 0 && (fds[1].revents & POLLIN)) {
            const ssize_t n = ::read(fd, buf, sizeof buf);
            if (n > 0) {
                std::unique_lock<std::mutex> lock(Mutex);
                if (fd == MasterFd)
                    HandleInput(buf, int(n));
            }
        } else if (r > 0 && (fds[1].revents & (POLLHUP | POLLERR))) {
            std::this_thread::sleep_for(std::chrono::milliseconds(kSpinGuardMs));
        }
        // Output that is due.
        {
            std::unique_lock<std::mutex> lock(Mutex);
            const qint64 now = Clock.elapsed();
            while (MasterFd >= 0 && !Out.empty() && HeadDueAt <= now) {
                TSegment& head = Out.front();
                const ssize_t n =
                    ::write(MasterFd, head.Bytes.constData(), size_t(head.Bytes.size()));
                if (n < 0)
                    break; // full (or gone): try again on POLLOUT
                head.Bytes.remove(0, int(n));
                if (!head.Bytes.isEmpty())
                    break;
                Out.pop_front();
                if (!Out.empty())
                    HeadDueAt = now + Out.front().PauseMs;
                if (Out.empty())
                    Changed.notify_all();
            }
            if (Streaming && MasterFd >= 0 && now >= NextReportAt) {
                const int tick = StreamTick++;
                NextReportAt = now + StreamPeriodMs;
                lock.unlock();
                const QStringList lines = Q->StatusReportLines(tick);
                lock.lock();
                if (Streaming && !Silent) {
                    // The first report starts a line of its own (after the prompt).
                    if (tick == 0)
                        Queue("\r\n", ByteDelayMs, 0, 0);
                    for (const QString& line : lines)
                        Queue(ToCodePage(line) + "\r\n", ByteDelayMs, ByteDelayMs,
                              ByteDelayMs > 0 ? 1 : 0);
                    ++ReportsSent;
                }
            }
        }
    }
}

// --- the device ------------------------------------------------------------

void TTrackerSim::TImpl::Queue(const QByteArray& bytes, int firstPause, int pause, int piece) {
    if (bytes.isEmpty())
        return;
    const bool wasEmpty = Out.empty();
    // Deep copies: the caller's bytes stay the caller's, on its own thread.
    const int step = piece > 0 ? piece : int(bytes.size());
    for (int i = 0; i < bytes.size(); i += step) {
        const int n = std::min(step, int(bytes.size()) - i);
        Out.push_back({QByteArray(bytes.constData() + i, n), i == 0 ? firstPause : pause});
    }
    if (wasEmpty)
        HeadDueAt = Clock.elapsed() + Out.front().PauseMs;
}

void TTrackerSim::TImpl::QueueEcho(char byte) {
    if (Echo && !Silent)
        Queue(QByteArray(1, byte), ByteDelayMs, 0, 0);
}

void TTrackerSim::TImpl::QueuePaced(const QByteArray& bytes, int firstPause) {
    if (ByteDelayMs > 0 && ChunkBytes <= 0) {
        Queue(bytes, std::max(firstPause, ByteDelayMs), ByteDelayMs, 1);
        return;
    }
    if (ChunkBytes > 0) {
        Queue(bytes, std::max(firstPause, ByteDelayMs), ChunkPauseMs, ChunkBytes);
        return;
    }
    Queue(bytes, firstPause, 0, 0);
}

void TTrackerSim::TImpl::QueueAnswer(const QByteArray& answer) {
    if (Silent || answer.isEmpty())
        return;
    if (!answer.endsWith('>')) {
        QueuePaced(answer, 0);
        return;
    }
    QByteArray body = answer;
    QByteArray prompt; // the ">" when it goes out on its own
    if (PromptPauseMs > 0) {
        body.chop(1);
        prompt = ">";
    }
    if (AfterPromptPauseMs <= 0)
        (prompt.isEmpty() ? body : prompt) += AfterPrompt;
    QueuePaced(body, 0);
    if (!prompt.isEmpty())
        QueuePaced(prompt, PromptPauseMs);
    if (AfterPromptPauseMs > 0)
        QueuePaced(AfterPrompt, AfterPromptPauseMs);
}

void TTrackerSim::TImpl::HandleInput(const char* data, int n) {
    for (int i = 0; i < n; ++i) {
        const char b = data[i];
        if (b == 0) {
            ++ZeroBytes;
            continue;
        }
        Received += b;
        QueueEcho(b);
        bool ended = false;
        if (b == '\r') {
            ended = true;
            LastWasCR = true;
        } else if (b == '\n') {
            ended = !LastWasCR;
            LastWasCR = false;
        } else if (b == '\b' || b == '\x7f') {
            LineBuf.chop(1); // a person at a terminal corrects a typo
            LastWasCR = false;
        } else {
            if (LineBuf.size() < kMaxLineBytes)
                LineBuf += b;
            LastWasCR = false;
        }
        if (!ended || LineBuf.isEmpty())
            continue;
        const QByteArray line = LineBuf;
        LineBuf.clear();
        Lines << FromCodePage(line);
        Changed.notify_all();
        if (VanishCountdown == 0) {
            VanishNow();
            return;
        }
        if (VanishCountdown > 0)
            --VanishCountdown;
        HandleLine(line);
    }
}

void TTrackerSim::TImpl::HandleLine(const QByteArray& raw) {
    const QString line = FromCodePage(raw);
    if (!InCommandMode) {
        if (line == QLatin1String(kAccessCode)) {
            InCommandMode = true;
            QueueAnswer(EntryPromptLF ? QByteArray("\r\n>") : QByteArray("\r>"));
        }
        return;
    }
    if (line == QLatin1String(kAccessCode))
        return; // already in command mode: the echo is the whole answer
    QueueAnswer(Answer(line));
}

QByteArray TTrackerSim::TImpl::Pad(QByteArray answer) const {
    int target = PayloadSize;
    if (target <= 0 && LongAnswers)
        target = kLongAnswerPaddedBytes;
    const int diff = target - answer.size();
    if (target <= 0 || diff <= 0)
        return answer;
    // A filler line in front keeps the response and the prompt intact.
    if (diff == 1)
        return "\n" + answer;
    return QByteArray(diff - 2, kFillerChar[0]) + "\r\n" + answer;
}

QByteArray TTrackerSim::TImpl::ReadAnswer(const TSimCommand& c) const {
    QString text = QStringLiteral("+RESP:") + QString(c.Name).remove(QLatin1Char('+'));
    if (c.Params.isEmpty()) {
        text += QStringLiteral(",OK");
    } else {
        QStringList fields;
        for (const QStringList& row : c.Values) {
            for (int p = 0; p < row.size(); ++p) {
                QString v = row[p];
                if (UnpaddedHex && p < c.Params.size() && c.Params[p].Kind == pkHex) {
                    while (v.size() > 1 && v.startsWith(QLatin1Char('0')))
                        v.remove(0, 1);
                }
                fields << QuoteField(v);
            }
        }
        const int drop = ShortBy.value(Upper(c.Name), 0);
        fields = fields.mid(0, std::max<qsizetype>(0, fields.size() - drop));
        for (const QString& f : fields)
            text += QLatin1Char(',') + f;
    }
    return "\r\n" + ToCodePage(text) + "\r\n\r\n>";
}

QByteArray TTrackerSim::TImpl::Answer(const QString& line) {
    static const QByteArray kPrompt = "\r\n>";
    if (line.compare(QLatin1String("AT"), Qt::CaseInsensitive) == 0)
        return "\r\nOK" + kPrompt;
    if (!line.startsWith(QLatin1String("AT"), Qt::CaseInsensitive))
        return {}; // not a command: the echo was all
    const int eq = line.indexOf(QLatin1Char('='));
    const QString name = eq < 0 ? line.mid(2) : line.mid(2, eq - 2);
    const QString rest = eq < 0 ? QString() : line.mid(eq + 1);
    const QString key = Upper(name);

    if (Mute.contains(key))
        return {};
    QByteArray answer;
    if (Garbage == gmInstead) {
        answer = "\r\n#%&GARBAGE*(\r\n~~~~ 0x5A 0x5A\r\n\r\n>";
    } else if (Unsupported.contains(key) || eq < 0) {
        answer = "\r\nNOT SUPPORTED" + kPrompt;
    } else if (rest == QLatin1String("?")) {
        const auto it = Index.constFind(key);
        if (it == Index.constEnd()) {
            static const QSet<QString> kBuiltIn = {QStringLiteral("+TEXT"), QStringLiteral("+SRBT"),
                                                   QStringLiteral("+SAVE"),
                                                   QStringLiteral("+SDAD")};
            answer = kBuiltIn.contains(key)
                         ? "\r\n+RESP:" + ToCodePage(QString(name).remove(QLatin1Char('+'))) +
                               ",OK\r\n\r\n>"
                         : "\r\nNOT SUPPORTED" + kPrompt;
        } else {
            answer = ReadAnswer(Commands[*it]);
        }
    } else {
        answer = WriteAnswer(name, rest);
    }
    if (Garbage == gmBefore)
        answer = "\r\n#%&GARBAGE*(" + answer;
    return Pad(answer);
}

QByteArray TTrackerSim::TImpl::WriteAnswer(const QString& name, const QString& rest) {
    const QString key = Upper(name);
    const QByteArray header = "+RESP:" + ToCodePage(QString(name).remove(QLatin1Char('+')));
    auto error = [&](const char* word) { return "\r\n" + header + ",ERROR," + word + "\r\n\r\n>"; };
    QStringList fields = SplitFields(rest);
    const QString password = fields.takeFirst();
    // The value list ends with "," after its last value.
    if (!fields.isEmpty() && fields.last().isEmpty())
        fields.removeLast();

    const auto it = Index.constFind(key);
    const bool known = it != Index.constEnd();
    static const QSet<QString> kBuiltIn = {QStringLiteral("+TEXT"), QStringLiteral("+SRBT"),
                                           QStringLiteral("+SAVE"), QStringLiteral("+SDAD")};
    if (!known && !kBuiltIn.contains(key))
        return "\r\nNOT SUPPORTED\r\n>";

    const TPasswordMode mode = known ? Commands[*it].Mode : pmAdminUser;
    if (password != MasterPassword) {
        if (password != UserPassword)
            return error("PASSWORD");
        if (mode == pmAdmin)
            return error("PERMISSION");
    }

    if (key == QLatin1String("+SDAD")) {
        const QString stream = fields.value(1);
        if (stream == QLatin1String("0")) {
            Streaming = false;
        } else if (!stream.isEmpty()) {
            Streaming = true;
            StreamTick = 0;
            NextReportAt = Clock.elapsed() + StreamPeriodMs;
        }
        return "\r\n" + header + ",OK\r\n>";
    }

    QByteArray answer;
    if (known) {
        TSimCommand& c = Commands[*it];
        int row = 0;
        if (c.Indexed) {
            bool ok = false;
            row = fields.isEmpty() ? 0 : fields.takeFirst().toInt(&ok) - 1;
            if (!ok || row < 0 || row >= c.Rows)
                return error("COMMAND");
        }
        QStringList stored = c.Values[row];
        for (int p = 0; p < c.Params.size() && p < fields.size(); ++p) {
            if (fields[p].isEmpty())
                continue; // a switched-off value stays as it was
            if (!ValueFits(c.Params[p], fields[p]))
                return error("COMMAND");
            if (Refused.contains(key + QLatin1Char('/') + QString::number(p)))
                continue; // answered with the value it keeps
            stored[p] = fields[p];
        }
        if (!Forgetful.contains(key))
            c.Values[row] = stored;
        answer = ReadAnswer(c);
    } else {
        answer = "\r\n" + header + ",OK\r\n\r\n>";
    }
    if (key == QLatin1String("+SAVE"))
        ++FlashSaves;
    if (key == QLatin1String("+TEXT") || key == QLatin1String("+SRBT")) {
        InCommandMode = false;
        Streaming = false;
    }
    return answer;
}

// --- public ----------------------------------------------------------------

TTrackerSim::TTrackerSim(QObject* parent) : QObject(parent), d(new TImpl) {
    d->Q = this;
}

TTrackerSim::~TTrackerSim() {
    Stop();
    delete d;
}

bool TTrackerSim::Start(const QString& profilePath) {
    QString path = profilePath;
    if (path.isEmpty()) {
        const QString dir = QCoreApplication::instance()
                                ? QCoreApplication::applicationDirPath()
                                : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
        path = dir + QStringLiteral("/cmdprofile.xml");
    }
    if (!QFileInfo::exists(path)) {
        std::unique_lock<std::mutex> lock(d->Mutex);
        d->Error = QStringLiteral("profile not found: ") + path;
        return false;
    }
    return d->StartWith(LoadWithLoader([&] { LoadCommandProfile(path); }));
}

bool TTrackerSim::StartWithProfileData(const QByteArray& xml) {
    return d->StartWith(LoadWithLoader([&] { LoadCommandProfileFromData(xml); }));
}

bool TTrackerSim::StartWithCurrentProfile() {
    return d->StartWith(CopyCommands(DevCommands));
}

void TTrackerSim::Stop() {
    {
        std::unique_lock<std::mutex> lock(d->Mutex);
        if (!d->Running)
            return;
        d->StopFlag = true;
        d->Wake();
    }
    if (d->Thread.joinable())
        d->Thread.join();
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->Running = false;
    d->ClosePty();
    d->RemoveLink();
    for (int& fd : d->WakeFds) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    d->Out.clear();
    d->Changed.notify_all();
}

bool TTrackerSim::Running() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Running;
}

QString TTrackerSim::ErrorText() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Error;
}

QString TTrackerSim::SlavePath() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Vanished ? QString() : d->SlavePath;
}

bool TTrackerSim::PublishLink(const QString& path) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    const QByteArray link = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(link.constData(), &st) == 0 && !S_ISLNK(st.st_mode)) {
        d->Error = QStringLiteral("refusing to replace a file that is not a link: ") + path;
        return false;
    }
    d->RemoveLink();
    d->LinkPath = path;
    if (d->Vanished)
        return true;
    if (!d->RepointLink()) {
        d->Error = QStringLiteral("cannot create the link ") + path;
        return false;
    }
    return true;
}

QString TTrackerSim::LinkPath() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->LinkPath;
}

void TTrackerSim::Vanish() {
    d->RunOnDevice([this] {
        if (!d->Vanished)
            d->VanishNow();
    });
}

void TTrackerSim::VanishAfter(int n) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->VanishCountdown = n < 0 ? -1 : n;
}

bool TTrackerSim::Reappear() {
    bool ok = true;
    d->RunOnDevice([this, &ok] {
        if (!d->Vanished)
            return;
        ok = d->OpenPty(&d->Error);
        if (!ok)
            return;
        d->Vanished = false;
        d->InCommandMode = false;
        d->Streaming = false;
        d->RepointLink();
    });
    return ok;
}

bool TTrackerSim::Vanished() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Vanished;
}

void TTrackerSim::SetEcho(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->Echo = on;
}

void TTrackerSim::SetByteDelay(int ms) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->ByteDelayMs = std::max(0, ms);
}

void TTrackerSim::SetChunking(int pieceBytes, int pauseMs) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->ChunkBytes = std::max(0, pieceBytes);
    d->ChunkPauseMs = std::max(0, pauseMs);
}

void TTrackerSim::SetSilent(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->Silent = on;
}

void TTrackerSim::SetInputStalled(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->InputStalled = on;
    d->Wake();
}

void TTrackerSim::SetGarbage(TGarbageMode mode) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->Garbage = mode;
}

void TTrackerSim::SetAnswerPayloadSize(int bytes) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->PayloadSize = std::max(0, bytes);
}

void TTrackerSim::SetLongAnswers(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->LongAnswers = on;
}

void TTrackerSim::SetPromptPause(int ms) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->PromptPauseMs = std::max(0, ms);
}

void TTrackerSim::SetAfterPrompt(const QByteArray& bytes, int pauseMs) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->AfterPrompt = QByteArray(bytes.constData(), bytes.size());
    d->AfterPromptPauseMs = std::max(0, pauseMs);
}

void TTrackerSim::SetEntryPromptLF(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->EntryPromptLF = on;
}

void TTrackerSim::SetInCommandMode(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->InCommandMode = on;
}

bool TTrackerSim::InCommandMode() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->InCommandMode;
}

void TTrackerSim::SetPasswords(const QString& user, const QString& master) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->UserPassword = user;
    d->MasterPassword = master;
}

void TTrackerSim::SetUnsupported(const QString& command, bool unsupported) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    if (unsupported)
        d->Unsupported.insert(Upper(command));
    else
        d->Unsupported.remove(Upper(command));
}

void TTrackerSim::SetRefusedValue(const QString& command, int param, bool refused) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    const QString key = Upper(command) + QLatin1Char('/') + QString::number(param);
    if (refused)
        d->Refused.insert(key);
    else
        d->Refused.remove(key);
}

void TTrackerSim::SetForgetful(const QString& command, bool forgetful) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    if (forgetful)
        d->Forgetful.insert(Upper(command));
    else
        d->Forgetful.remove(Upper(command));
}

void TTrackerSim::SetMute(const QString& command, bool mute) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    if (mute)
        d->Mute.insert(Upper(command));
    else
        d->Mute.remove(Upper(command));
}

void TTrackerSim::SetShortAnswers(const QString& command, int missingFields) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    if (missingFields > 0)
        d->ShortBy.insert(Upper(command), missingFields);
    else
        d->ShortBy.remove(Upper(command));
}

void TTrackerSim::SetUnpaddedHex(bool on) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->UnpaddedHex = on;
}

void TTrackerSim::SetStreamPeriod(int ms) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->StreamPeriodMs = std::max(1, ms);
    d->Wake();
}

QString TTrackerSim::Value(const QString& command, int row, int param) const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    const auto it = d->Index.constFind(Upper(command));
    if (it == d->Index.constEnd())
        return {};
    const TSimCommand& c = d->Commands[*it];
    if (row < 0 || row >= c.Values.size())
        return {};
    return c.Values[row].value(param);
}

bool TTrackerSim::SetValue(const QString& command, int row, int param, const QString& value) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    const auto it = d->Index.constFind(Upper(command));
    if (it == d->Index.constEnd())
        return false;
    TSimCommand& c = d->Commands[*it];
    if (row < 0 || row >= c.Values.size() || param < 0 || param >= c.Values[row].size())
        return false;
    c.Values[row][param] = value;
    return true;
}

QStringList TTrackerSim::Values(const QString& command, int row) const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    const auto it = d->Index.constFind(Upper(command));
    if (it == d->Index.constEnd())
        return {};
    return d->Commands[*it].Values.value(row);
}

QStringList TTrackerSim::CommandNames() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    QStringList names;
    for (const TSimCommand& c : d->Commands)
        names << c.Name;
    return names;
}

int TTrackerSim::FlashSaveCount() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->FlashSaves;
}

bool TTrackerSim::Streaming() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Streaming;
}

int TTrackerSim::StreamReportsSent() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->ReportsSent;
}

QStringList TTrackerSim::ReceivedLines() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Lines;
}

QByteArray TTrackerSim::ReceivedBytes() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Received;
}

int TTrackerSim::ZeroBytesReceived() const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->ZeroBytes;
}

void TTrackerSim::ClearReceived() {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->Lines.clear();
    d->Received.clear();
    d->ZeroBytes = 0;
}

bool TTrackerSim::WaitForLines(int count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [this, count] { return d->Lines.size() >= count; });
}

bool TTrackerSim::WaitForIdle(int timeoutMs) const {
    std::unique_lock<std::mutex> lock(d->Mutex);
    return d->Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [this] { return d->Out.empty(); });
}

void TTrackerSim::SendRaw(const QByteArray& bytes, int pauseMs) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    if (d->Vanished || d->Silent || bytes.isEmpty())
        return;
    d->QueuePaced(bytes, std::max(0, pauseMs));
    d->Wake();
}

void TTrackerSim::SetStatusReportSource(TStatusReportSource source) {
    std::unique_lock<std::mutex> lock(d->Mutex);
    d->ReportSource = std::move(source);
}

QStringList TTrackerSim::StatusReportLines(int tick) {
    TStatusReportSource source;
    {
        std::unique_lock<std::mutex> lock(d->Mutex);
        source = d->ReportSource;
    }
    if (source)
        return source(tick);
    return {QStringLiteral("+RESP:DPRM,VT-SIM,100%1,356938035643809,3.1.0")
                .arg(tick % 1000, 3, 10, QLatin1Char('0'))};
}

void TTrackerSim::UseInstallationStream() {
    int period = kDefaultStreamPeriodMs;
    {
        std::unique_lock<std::mutex> lock(d->Mutex);
        period = d->StreamPeriodMs;
    }
    SetStatusReportSource(MakeStatusReportSource(period, d->Installation));
}

TSimInstallation& TTrackerSim::Installation() {
    return *d->Installation;
}

void TTrackerSim::SetIgnition(bool on) {
    d->Installation->SetIgnition(on);
}

void TTrackerSim::SetInstallFault(TInstallFault fault, bool on) {
    d->Installation->SetFault(fault, on);
}
