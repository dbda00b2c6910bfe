#include "ConfigFormat.h"

#include "base/CodePage.h"

#include <QIODevice>
#include <zlib.h>

namespace {

std::array<QByteArray, 256> MakeEscapeTable() {
    std::array<QByteArray, 256> table;
    for (int code = 0; code < 32; ++code)
        table[code] = "&#" + QByteArray::number(code) + ';';
    table['"'] = "&quot;";
    table['&'] = "&amp;";
    table['<'] = "&lt;";
    table['>'] = "&gt;";
    return table;
}

constexpr int kEscapeLookupLimit = 127;

} // namespace

const std::array<QByteArray, 256> EscapeTable = MakeEscapeTable();

QString EscapeConfigText(const QString& text) {
    // What the program holds and sends: a character outside the code page is
    // "?" on the line, so it is "?" in the file as well.
    const QString held = FitCodePage(text);
    QString result;
    result.reserve(held.size());
    for (const QChar c : held) {
        const char16_t code = c.unicode();
        if (code < kEscapeLookupLimit && !EscapeTable[code].isEmpty())
            result += QLatin1String(EscapeTable[code]);
        else
            result += c;
    }
    return result;
}

struct TConfigWriter::TState {
    z_stream Stream{};
    bool StreamOpen = false;
    QByteArray Buffer; // deflate output waiting for the file
};

TConfigWriter::TConfigWriter(QIODevice* out) : FState(std::make_unique<TState>()), FOut(out) {
    FState->Buffer.resize(kConfigOutBufferSize);
    const int rc = deflateInit2(&FState->Stream, kConfigDeflateLevel, Z_DEFLATED, kConfigWindowBits,
                                kConfigMemLevel, Z_DEFAULT_STRATEGY);
    if (rc != Z_OK) {
        FError = QString::fromLatin1(zError(rc));
        return;
    }
    FState->StreamOpen = true;
    FState->Stream.next_out = reinterpret_cast<Bytef*>(FState->Buffer.data());
    FState->Stream.avail_out = kConfigOutBufferSize;
}

TConfigWriter::~TConfigWriter() {
    Close();
}

void TConfigWriter::FlushBuffer() {
    const qint64 used = kConfigOutBufferSize - FState->Stream.avail_out;
    if (used > 0 && !Failed()) {
        const qint64 written = FOut ? FOut->write(FState->Buffer.constData(), used) : -1;
        if (written != used) {
            FError = FOut ? FOut->errorString() : QString();
            if (FError.isEmpty())
                FError = QStringLiteral("write error");
        }
    }
    FState->Stream.next_out = reinterpret_cast<Bytef*>(FState->Buffer.data());
    FState->Stream.avail_out = kConfigOutBufferSize;
}

void TConfigWriter::Deflate(const QByteArray& data, int flush) {
    if (!FState->StreamOpen || Failed())
        return;
    z_stream& s = FState->Stream;
    s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    s.avail_in = static_cast<uInt>(data.size());
    for (;;) {
        const int rc = deflate(&s, flush);
        if (rc == Z_STREAM_ERROR) {
            FError = QString::fromLatin1(s.msg ? s.msg : zError(rc));
            return;
        }
        if (rc == Z_STREAM_END)
            return;
        if (s.avail_out == 0) {
            FlushBuffer();
            if (Failed())
                return;
            continue;
        }
        // Room left in the buffer: deflate has taken all input it can.
        if (flush != Z_FINISH || rc == Z_BUF_ERROR)
            return;
    }
}

void TConfigWriter::WriteLine(int blanks, const QByteArray& text) {
    QByteArray line(blanks, ' ');
    line += text;
    line += "\r\n";
    Deflate(line, Z_NO_FLUSH);
}

void TConfigWriter::WriteHeader() {
    WriteLine(0, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>");
    WriteLine(0, "<Velmora>");
    WriteLine(1, "<ExportCommandParamenters>");
}

void TConfigWriter::BeginCommand(const QString& name) {
    WriteLine(2, "<command name=\"" + EscapeConfigText(name).toUtf8() + "\">");
}

void TConfigWriter::BeginRow(int row) {
    WriteLine(3, "<index index=\"" + QByteArray::number(row) + "\">");
}

void TConfigWriter::WriteParameter(int param, bool optional, bool enabled, const QString& value) {
    QByteArray line = "<parameter index=\"" + QByteArray::number(param) + '"';
    if (optional)
        line += enabled ? " enabled=\"1\"" : " enabled=\"0\"";
    line += '>' + EscapeConfigText(value).toUtf8() + "</parameter>";
    WriteLine(4, line);
}

void TConfigWriter::EndRow() {
    WriteLine(3, "</index>");
}

void TConfigWriter::EndCommand() {
    WriteLine(2, "</command>");
}

void TConfigWriter::WriteFooter() {
    WriteLine(1, "</ExportCommandParamenters>");
    WriteLine(0, "</Velmora>");
}

bool TConfigWriter::Close() {
    if (!FClosed) {
        FClosed = true;
        if (FState->StreamOpen) {
            Deflate(QByteArray(), Z_FINISH);
            FlushBuffer();
            deflateEnd(&FState->Stream);
            FState->StreamOpen = false;
        }
    }
    return !Failed();
}
