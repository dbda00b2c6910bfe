#include "InflateAll.h"
#include "config/ConfigFormat.h"
#include "config/ConfigInflate.h"
#include "config/ConfigReader.h"
#include "config/ConfigValueRules.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"

#include <QBuffer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <functional>
#include <zlib.h>

namespace {

constexpr qsizetype kBombSize = 100LL * 1024 * 1024;
constexpr int kPythonTimeoutMs = 30000;

// An own Adler-32, so the trailer is checked against something other than
// the zlib that wrote it.
quint32 Adler32(const QByteArray& data) {
    constexpr quint32 kMod = 65521;
    quint32 a = 1, b = 0;
    for (const char c : data) {
        a = (a + static_cast<unsigned char>(c)) % kMod;
        b = (b + a) % kMod;
    }
    return (b << 16) | a;
}

// Deflates count bytes produced by chunk() without holding them all.
QByteArray DeflateStream(qsizetype count, const std::function<QByteArray(qsizetype)>& chunk) {
    z_stream s{};
    deflateInit(&s, Z_BEST_COMPRESSION);
    QByteArray out;
    char buffer[65536];
    qsizetype done = 0;
    for (;;) {
        QByteArray in;
        if (done < count) {
            in = chunk(done).left(count - done);
            done += in.size();
        }
        const int flush = done >= count ? Z_FINISH : Z_NO_FLUSH;
        s.next_in = reinterpret_cast<Bytef*>(in.data());
        s.avail_in = static_cast<uInt>(in.size());
        int rc;
        do {
            s.next_out = reinterpret_cast<Bytef*>(buffer);
            s.avail_out = sizeof(buffer);
            rc = deflate(&s, flush);
            out.append(buffer, static_cast<int>(sizeof(buffer) - s.avail_out));
        } while (s.avail_out == 0);
        if (rc == Z_STREAM_END)
            break;
    }
    deflateEnd(&s);
    return out;
}

QByteArray Deflate(const QByteArray& text) {
    return DeflateStream(text.size(), [&](qsizetype from) { return text.mid(from); });
}

QByteArray WriteConfig(const std::function<void(TConfigWriter&)>& body) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        TConfigWriter writer(&buffer);
        writer.WriteHeader();
        body(writer);
        writer.WriteFooter();
        if (!writer.Close())
            return {};
    }
    return buffer.data();
}

QString RandomText(QRandomGenerator& random, int length) {
    QString text;
    for (int k = 0; k < length; ++k)
        text += QChar(0x21 + random.bounded(0x5E));
    return text;
}

TConfigInflateResult InflateBytes(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return InflateConfiguration(buffer);
}

// Records what the loader asks of the pages, one line per request.
class TRecordingSink : public TConfigLoadSink {
public:
    QStringList Events;
    QSet<QString> MissingSwitches;
    QSet<QString> MissingEditors;

    static QString Key(const TCmdAddress& a) {
        return QStringLiteral("%1/%2/%3/%4").arg(a.Page).arg(a.Command).arg(a.Row).arg(a.Param);
    }
    bool HasSwitch(const TCmdAddress& a) override { return !MissingSwitches.contains(Key(a)); }
    void SetSwitch(const TCmdAddress& a, bool on) override {
        Events << QStringLiteral("switch %1 %2").arg(Key(a), QLatin1String(on ? "on" : "off"));
    }
    bool HasEditor(const TCmdAddress& a) override { return !MissingEditors.contains(Key(a)); }
    void SetEditorText(const TCmdAddress& a, const QString& text) override {
        Events << QStringLiteral("text %1 %2").arg(Key(a), text);
    }
    void SelectOption(const TCmdAddress& a, int option) override {
        Events << QStringLiteral("option %1 %2").arg(Key(a)).arg(option);
    }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return QRegularExpression(mask).match(text).hasMatch();
    }
    void Log(const QString& text) override { Events << QStringLiteral("log ") + text; }
};

const char kProfile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<profile>
  <page id="p1" name="P1">
    <command command="+SINT" exportdata="1">
      <parameter type="integer" description="a" minvalue="0" maxvalue="100" defaultvalue="50"/>
      <parameter type="string" description="b" optional="0" onleave_mask="^[0-9]+$" defaultvalue="7"/>
    </command>
    <command command="+SIDX" exportdata="1" maxindex="3">
      <parameter type="hex" description="h" maxlen="4" minvalue="16" maxvalue="4095" defaultvalue="0100"/>
      <parameter type="option" description="o" optional="0" defaultvalue="b">
        <option value="a" text="A"/><option value="b" text="B"/><option value="C" text="c"/>
      </parameter>
    </command>
    <command command="+SNOP" exportdata="1"/>
  </page>
  <page id="p2" name="P2">
    <command command="+SOPT" exportdata="1">
      <parameter type="string" description="s"/>
    </command>
  </page>
</profile>
)";

QByteArray Doc(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<Velmora>\r\n"
           " <ExportCommandParamenters>\r\n" +
           body + "\r\n </ExportCommandParamenters>\r\n</Velmora>\r\n";
}

TCmdParameter Param(TParamKind kind, qint64 min, qint64 max, const QString& def, int maxLen = 0) {
    TCmdParameter p;
    p.ParamKind = kind;
    p.MinValue = min;
    p.MaxValue = max;
    p.DefaultValue = def;
    p.MaxLen = maxLen;
    return p;
}

} // namespace

class TestConfigFormat : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { LoadCommandProfileFromData(QByteArray(kProfile)); }

    void escapeReplacesControlAndMarkupCharacters_data();
    void escapeReplacesControlAndMarkupCharacters();
    void escapeTableHoldsOnlyTheMarkedEntries();

    void writerProducesExactText();
    void writerWithoutCommandsWritesSkeleton();
    void writerStreamIsDecodedByPython();
    void writerFillsBufferBeforeWriting();
    void writerStopsAtFailedWrite();

    void inflateIgnoresBytesAfterStream();
    void inflateCapsText_data();
    void inflateCapsText();
    void inflateRefusesBombEarly();
    void inflateReportsStreamErrors_data();
    void inflateReportsStreamErrors();
    void inflateKeepsTextBeforeCut();
    void inflateOfEmptyInputIsEmpty();

    void readNumbers_data();
    void readNumbers();
    void integerRule_data();
    void integerRule();
    void stringRule();
    void hexRule_data();
    void hexRule();
    void optionRule_data();
    void optionRule();

    void walkChecksStructure_data();
    void walkChecksStructure();
    void walkStopsAtMissingControls();
    void walkStopsAtUnknownKind();
    void walkReadsWriterOutput();
    void normaliseFoldsBlanksAndControls_data();
    void normaliseFoldsBlanksAndControls();
    void walkKeepsControlCharactersOutOfValuesAndNames();
    void savedTextLoadsBackAsSaved();
};

void TestConfigFormat::escapeReplacesControlAndMarkupCharacters_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escaped");
    QTest::newRow("tab") << QStringLiteral("a\tb") << QStringLiteral("a&#9;b");
    QTest::newRow("markup") << QStringLiteral("\"&<>") << QStringLiteral("&quot;&amp;&lt;&gt;");
    QTest::newRow("apostrophe kept") << QStringLiteral("it's") << QStringLiteral("it's");
    QTest::newRow("nul") << QString(QChar(0)) << QStringLiteral("&#0;");
    QTest::newRow("code 31") << QString(QChar(31)) << QStringLiteral("&#31;");
    QTest::newRow("cr lf") << QStringLiteral("\r\n") << QStringLiteral("&#13;&#10;");
    QTest::newRow("del kept") << QString(QChar(127)) << QString(QChar(127));
    QTest::newRow("cyrillic kept") << QStringLiteral("Жук") << QStringLiteral("Жук");
    QTest::newRow("blank kept") << QStringLiteral(" a ") << QStringLiteral(" a ");
    // Saved as the program holds and sends it: what the code page lacks is "?".
    QTest::newRow("outside the code page")
        << QStringLiteral("Ёлка € ā 😀") << QStringLiteral("Ёлка € ? ?");
}

void TestConfigFormat::escapeReplacesControlAndMarkupCharacters() {
    QFETCH(QString, text);
    QFETCH(QString, escaped);
    QCOMPARE(EscapeConfigText(text), escaped);
}

void TestConfigFormat::escapeTableHoldsOnlyTheMarkedEntries() {
    int filled = 0;
    for (int code = 0; code < 256; ++code) {
        const bool marked = code < 32 || code == 34 || code == 38 || code == 60 || code == 62;
        QCOMPARE(!EscapeTable[code].isEmpty(), marked);
        filled += marked;
    }
    QCOMPARE(filled, 36);
}

void TestConfigFormat::writerProducesExactText() {
    const QByteArray file = WriteConfig([](TConfigWriter& w) {
        w.BeginCommand(QStringLiteral("+S<1>"));
        w.BeginRow(0);
        w.WriteParameter(0, true, false, QStringLiteral("a\t\"b\""));
        w.WriteParameter(1, false, true, QStringLiteral("Ёж & co"));
        w.EndRow();
        w.BeginRow(1);
        w.WriteParameter(0, true, true, QString());
        w.WriteParameter(12, false, false, QStringLiteral(" x "));
        w.EndRow();
        w.EndCommand();
        w.BeginCommand(QStringLiteral("+SNOP"));
        w.BeginRow(0);
        w.EndRow();
        w.EndCommand();
    });
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
        "<Velmora>\r\n"
        " <ExportCommandParamenters>\r\n"
        "  <command name=\"+S&lt;1&gt;\">\r\n"
        "   <index index=\"0\">\r\n"
        "    <parameter index=\"0\" enabled=\"0\">a&#9;&quot;b&quot;</parameter>\r\n"
        "    <parameter index=\"1\">\xD0\x81\xD0\xB6 &amp; co</parameter>\r\n"
        "   </index>\r\n"
        "   <index index=\"1\">\r\n"
        "    <parameter index=\"0\" enabled=\"1\"></parameter>\r\n"
        "    <parameter index=\"12\"> x </parameter>\r\n"
        "   </index>\r\n"
        "  </command>\r\n"
        "  <command name=\"+SNOP\">\r\n"
        "   <index index=\"0\">\r\n"
        "   </index>\r\n"
        "  </command>\r\n"
        " </ExportCommandParamenters>\r\n"
        "</Velmora>\r\n";
    QCOMPARE(InflateAll(file), expected);
    QVERIFY(file.size() > 6);
    QCOMPARE(static_cast<unsigned char>(file[0]), 0x78);
    QCOMPARE(static_cast<unsigned char>(file[1]), 0xDA);
    const QByteArray trailer = file.right(4);
    const quint32 stored = (quint32(uchar(trailer[0])) << 24) | (quint32(uchar(trailer[1])) << 16) |
                           (quint32(uchar(trailer[2])) << 8) | quint32(uchar(trailer[3]));
    QCOMPARE(stored, Adler32(expected));
}

void TestConfigFormat::writerWithoutCommandsWritesSkeleton() {
    const QByteArray file = WriteConfig([](TConfigWriter&) {});
    QCOMPARE(InflateAll(file), QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n"
                                          "<Velmora>\r\n"
                                          " <ExportCommandParamenters>\r\n"
                                          " </ExportCommandParamenters>\r\n"
                                          "</Velmora>\r\n"));
}

void TestConfigFormat::writerStreamIsDecodedByPython() {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        QSKIP("python3 is not installed");
    const QByteArray file = WriteConfig([](TConfigWriter& w) {
        w.BeginCommand(QStringLiteral("+SAPN"));
        w.BeginRow(0);
        w.WriteParameter(0, true, true, QStringLiteral("Точка доступа <1>"));
        w.EndRow();
        w.EndCommand();
    });
    QProcess py;
    py.start(python,
             {QStringLiteral("-c"),
              QStringLiteral("import sys, zlib; "
                             "sys.stdout.buffer.write(zlib.decompress(sys.stdin.buffer.read()))")});
    QVERIFY(py.waitForStarted(kPythonTimeoutMs));
    py.write(file);
    py.closeWriteChannel();
    QVERIFY(py.waitForFinished(kPythonTimeoutMs));
    QCOMPARE(py.exitCode(), 0);
    const QByteArray decoded = py.readAllStandardOutput();
    QCOMPARE(decoded, InflateAll(file));
    QVERIFY(decoded.contains("    <parameter index=\"0\" enabled=\"1\">" +
                             QStringLiteral("Точка доступа &lt;1&gt;").toUtf8() +
                             "</parameter>\r\n"));
}

// Counts the writes that reach the file; fails every write once the byte
// budget is used up.
class TCountingDevice : public QIODevice {
public:
    QList<qint64> Writes;
    qint64 Budget = -1;
    QByteArray Data;

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 len) override {
        Writes << len;
        if (Budget >= 0 && Data.size() + len > Budget) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        Data.append(data, len);
        return len;
    }
};

void TestConfigFormat::writerFillsBufferBeforeWriting() {
    // Random values compress badly, so the output spans several buffers.
    QRandomGenerator random(7);
    QStringList values;
    for (int i = 0; i < 3000; ++i)
        values << RandomText(random, 60);
    TCountingDevice device;
    device.open(QIODevice::WriteOnly);
    {
        TConfigWriter writer(&device);
        writer.WriteHeader();
        writer.BeginCommand(QStringLiteral("+SBIG"));
        writer.BeginRow(0);
        for (int i = 0; i < values.size(); ++i)
            writer.WriteParameter(i, false, true, values[i]);
        writer.EndRow();
        writer.EndCommand();
        writer.WriteFooter();
        QVERIFY(writer.Close());
    }
    QVERIFY(device.Writes.size() >= 3);
    for (int i = 0; i + 1 < device.Writes.size(); ++i)
        QCOMPARE(device.Writes[i], qint64(kConfigOutBufferSize));
    const QByteArray text = InflateAll(device.Data);
    QVERIFY(text.contains("<parameter index=\"2999\">"));
    QCOMPARE(text.count("</parameter>\r\n"), values.size());
}

void TestConfigFormat::writerStopsAtFailedWrite() {
    TCountingDevice device;
    device.Budget = kConfigOutBufferSize; // the second buffer does not fit
    device.open(QIODevice::WriteOnly);
    QRandomGenerator random(3);
    TConfigWriter writer(&device);
    writer.WriteHeader();
    writer.BeginCommand(QStringLiteral("+SBIG"));
    writer.BeginRow(0);
    for (int i = 0; i < 4000; ++i)
        writer.WriteParameter(i, false, true, RandomText(random, 60));
    writer.EndRow();
    writer.EndCommand();
    writer.WriteFooter();
    QVERIFY(!writer.Close());
    QVERIFY(writer.Failed());
    QCOMPARE(writer.ErrorString(), QStringLiteral("No space left on device"));
    QCOMPARE(device.Writes.size(), 2); // nothing more after the failure
    QVERIFY(!writer.Close());
}

void TestConfigFormat::inflateIgnoresBytesAfterStream() {
    const QByteArray text = Doc("<command name=\"+SINT\"/>");
    const TConfigInflateResult r = InflateBytes(Deflate(text) + "trailing garbage\x00\xFF");
    QCOMPARE(r.Status, isComplete);
    QCOMPARE(r.Text, text);
}

void TestConfigFormat::inflateCapsText_data() {
    QTest::addColumn<qsizetype>("size");
    QTest::addColumn<int>("status");
    QTest::newRow("one piece short") << qsizetype(1023) << int(isComplete);
    QTest::newRow("whole pieces") << qsizetype(4096) << int(isComplete);
    QTest::newRow("exactly the cap") << kConfigMaxTextSize << int(isComplete);
    QTest::newRow("one byte over") << kConfigMaxTextSize + 1 << int(isTooLarge);
}

void TestConfigFormat::inflateCapsText() {
    QFETCH(qsizetype, size);
    QFETCH(int, status);
    QByteArray text(size, 'x');
    for (qsizetype i = 0; i < size; i += 97)
        text[i] = char('a' + i % 26);
    const TConfigInflateResult r = InflateBytes(Deflate(text));
    QCOMPARE(int(r.Status), status);
    QCOMPARE(r.Text, status == isComplete ? text : QByteArray());
}

void TestConfigFormat::inflateRefusesBombEarly() {
    const QByteArray zeros(1 << 20, '\0');
    const QByteArray bomb = DeflateStream(kBombSize, [&](qsizetype) { return zeros; });
    QVERIFY(bomb.size() < kBombSize / 500);
    QBuffer buffer;
    buffer.setData(bomb);
    buffer.open(QIODevice::ReadOnly);
    const TConfigInflateResult r = InflateConfiguration(buffer);
    QCOMPARE(r.Status, isTooLarge);
    QVERIFY(r.Text.isEmpty());
    // The reader stopped long before the end of the input.
    QVERIFY2(buffer.pos() <= 2 * kConfigInBufferSize, qPrintable(QString::number(buffer.pos())));
}

void TestConfigFormat::inflateReportsStreamErrors_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray text = Doc("<command name=\"+SINT\"><index index=\"0\"/></command>");
    const QByteArray good = Deflate(text);
    QTest::newRow("plain xml") << text << QStringLiteral("incorrect header check");
    QByteArray badCheck = good;
    badCheck[badCheck.size() - 1] = char(badCheck[badCheck.size() - 1] ^ 0x55);
    QTest::newRow("wrong adler") << badCheck << QStringLiteral("incorrect data check");
    QByteArray badBlock = good;
    badBlock[2] = char(0xFF); // reserved block type
    QTest::newRow("damaged block") << badBlock << QString();
    QByteArray dictionary = good;
    dictionary[1] = char(0x20); // FDICT set, check bits still right
    QTest::newRow("preset dictionary") << dictionary << QStringLiteral("need dictionary");
}

void TestConfigFormat::inflateReportsStreamErrors() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const TConfigInflateResult r = InflateBytes(bytes);
    QCOMPARE(r.Status, isStreamError);
    QVERIFY(r.Text.isEmpty());
    QVERIFY(!r.Error.isEmpty());
    if (!error.isEmpty())
        QCOMPARE(r.Error, error);
}

void TestConfigFormat::inflateKeepsTextBeforeCut() {
    QByteArray text = Doc("");
    QRandomGenerator random(11);
    while (text.size() < 20000)
        text += QByteArray::number(random.generate64(), 36) + "\r\n";
    const QByteArray file = Deflate(text);
    for (const qsizetype cut : {file.size() - 4, file.size() / 2}) {
        const TConfigInflateResult r = InflateBytes(file.left(cut));
        QCOMPARE(r.Status, isComplete);
        QVERIFY(!r.Text.isEmpty());
        QVERIFY(text.startsWith(r.Text));
        if (cut == file.size() - 4)
            QCOMPARE(r.Text, text); // only the trailer was lost
    }
}

void TestConfigFormat::inflateOfEmptyInputIsEmpty() {
    const TConfigInflateResult r = InflateBytes(QByteArray());
    QCOMPARE(r.Status, isComplete);
    QVERIFY(r.Text.isEmpty());
    QVERIFY(r.Error.isEmpty());
}

void TestConfigFormat::readNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("decimalOk");
    QTest::addColumn<qint64>("decimal");
    QTest::addColumn<bool>("hexOk");
    QTest::addColumn<qint64>("hex");
    QTest::newRow("zero") << "0" << true << 0LL << true << 0LL;
    QTest::newRow("int min") << "-2147483648" << true << -2147483648LL << false << 0LL;
    QTest::newRow("int max") << "2147483647" << true << 2147483647LL << true << 0x2147483647LL;
    QTest::newRow("over int") << "2147483648" << false << 0LL << true << 0x2147483648LL;
    QTest::newRow("plus") << "+5" << true << 5LL << false << 0LL;
    QTest::newRow("blanks") << " 12 " << true << 12LL << true << 0x12LL;
    QTest::newRow("letters") << "1a" << false << 0LL << true << 0x1ALL;
    QTest::newRow("empty") << "" << false << 0LL << false << 0LL;
    QTest::newRow("sign only") << "-" << false << 0LL << false << 0LL;
    QTest::newRow("sixteen digits") << "FFFFFFFFFFFFFFFF" << false << 0LL << true << -1LL;
    QTest::newRow("seventeen digits") << "10000000000000000" << false << 0LL << false << 0LL;
}

void TestConfigFormat::readNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, decimalOk);
    QFETCH(qint64, decimal);
    QFETCH(bool, hexOk);
    QFETCH(qint64, hex);
    qint32 d = 0;
    QCOMPARE(ReadConfigDecimal(text, &d), decimalOk);
    if (decimalOk)
        QCOMPARE(qint64(d), decimal);
    qint64 h = 0;
    QCOMPARE(ReadConfigHex(text, &h), hexOk);
    if (hexOk)
        QCOMPARE(h, hex);
}

void TestConfigFormat::integerRule_data() {
    QTest::addColumn<QString>("def");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("reported");
    QTest::newRow("in range") << "50"
                              << "42"
                              << "42" << false;
    QTest::newRow("bounds") << "50"
                            << "100"
                            << "100" << false;
    QTest::newRow("above") << "50"
                           << "250"
                           << "50" << true;
    QTest::newRow("below") << "50"
                           << "-1"
                           << "50" << true;
    QTest::newRow("unreadable") << "50"
                                << "abc"
                                << "50" << false;
    QTest::newRow("over 32 bits") << "50"
                                  << "99999999999"
                                  << "50" << false;
    QTest::newRow("bad default") << "x"
                                 << "abc"
                                 << "0" << false;
    QTest::newRow("default out of range") << "500"
                                          << "q"
                                          << "500" << true;
}

void TestConfigFormat::integerRule() {
    QFETCH(QString, def);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(bool, reported);
    const TConfigValue r = IntegerConfigValue(Param(pkInteger, 0, 100, def), value);
    QCOMPARE(r.Text, shown);
    QCOMPARE(r.Messages,
             reported ? QStringList{QStringLiteral("Значение выходит за рамки диапазона: ") + value}
                      : QStringList());
}

void TestConfigFormat::stringRule() {
    TCmdParameter p = Param(pkString, 0, 0, QStringLiteral("7"));
    p.OnLeaveMask = QStringLiteral("^[0-9]+$");
    QCOMPARE(StringConfigValue(p, QStringLiteral("12"), true).Text, QStringLiteral("12"));
    const TConfigValue refused = StringConfigValue(p, QStringLiteral("ab"), false);
    QCOMPARE(refused.Text, QStringLiteral("7"));
    QCOMPARE(refused.Messages, QStringList{QStringLiteral("Значение не соответствует маске: ab")});
    p.OnLeaveMask.clear();
    const TConfigValue free = StringConfigValue(p, QStringLiteral("ab"), false);
    QCOMPARE(free.Text, QStringLiteral("ab"));
    QVERIFY(free.Messages.isEmpty());
}

void TestConfigFormat::hexRule_data() {
    QTest::addColumn<int>("maxLen");
    QTest::addColumn<qint64>("min");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<QString>("def");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("messages");
    const QString mask = QStringLiteral("Значение не соответствует маске: ");
    const QString range = QStringLiteral("Значение выходит за рамки диапазона: ");
    QTest::newRow("padded, upper case") << 4 << 0LL << 65535LL << "00FF"
                                        << "1a"
                                        << "001A" << QStringList();
    QTest::newRow("leading zeros dropped") << 4 << 0LL << 65535LL << "00FF"
                                           << "0001234"
                                           << "1234" << QStringList();
    QTest::newRow("too long") << 4 << 0LL << 65535LL << "00FF"
                              << "12345"
                              << "00FF" << QStringList{mask + "12345"};
    QTest::newRow("exact") << 4 << 0LL << 65535LL << "00FF"
                           << "ABCD"
                           << "ABCD" << QStringList();
    QTest::newRow("below range") << 4 << 16LL << 4095LL << "0100"
                                 << "000F"
                                 << "0100" << QStringList{range + "000F"};
    QTest::newRow("at range start") << 4 << 16LL << 4095LL << "0100"
                                    << "0010"
                                    << "0010" << QStringList();
    QTest::newRow("above, empty default") << 4 << 16LL << 4095LL << ""
                                          << "1000"
                                          << "0000" << QStringList{range + "1000"};
    QTest::newRow("no hex digits") << 4 << 0LL << 65535LL << "00FF"
                                   << "zz"
                                   << "00FF" << QStringList{mask + "zz"};
    QTest::newRow("no hex, empty default") << 4 << 0LL << 65535LL << ""
                                           << "zz"
                                           << "0000" << QStringList{mask + "zz"};
    QTest::newRow("long default cut") << 4 << 0LL << 65535LL << "ABCDE"
                                      << "12345"
                                      << "BCDE" << QStringList{mask + "12345"};
    QTest::newRow("long default with zeros") << 4 << 0LL << 65535LL << "000BCD"
                                             << "12345"
                                             << "0BCD" << QStringList{mask + "12345"};
    QTest::newRow("zero length") << 0 << 0LL << 65535LL << "7"
                                 << "12"
                                 << "" << QStringList{mask + "12"};
    QTest::newRow("unsigned maximum") << 8 << 0LL << 4294967295LL << ""
                                      << "ffffffff"
                                      << "FFFFFFFF" << QStringList();
}

void TestConfigFormat::hexRule() {
    QFETCH(int, maxLen);
    QFETCH(qint64, min);
    QFETCH(qint64, max);
    QFETCH(QString, def);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(QStringList, messages);
    const TConfigValue r = HexConfigValue(Param(pkHex, min, max, def, maxLen), value);
    QCOMPARE(r.Text, shown);
    QCOMPARE(r.Messages, messages);
}

void TestConfigFormat::optionRule_data() {
    QTest::addColumn<QString>("def");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("reported");
    const QStringList abc{"a", "b", "C"};
    QTest::newRow("exact") << "b" << abc << "C" << 2 << false;
    QTest::newRow("first equal") << "b" << QStringList{"a", "x", "x"} << "x" << 1 << false;
    QTest::newRow("case counts") << "b" << abc << "c" << 1 << true;
    QTest::newRow("default unknown too") << "zz" << abc << "q" << 0 << true;
    QTest::newRow("empty list") << "a" << QStringList() << "a" << -1 << true;
}

void TestConfigFormat::optionRule() {
    QFETCH(QString, def);
    QFETCH(QStringList, options);
    QFETCH(QString, value);
    QFETCH(int, chosen);
    QFETCH(bool, reported);
    TCmdParameter p = Param(pkOption, 0, 0, def);
    for (const QString& o : options)
        p.Options.append({o, o.toUpper()});
    const TConfigValue r = OptionConfigValue(p, value);
    QCOMPARE(r.Option, chosen);
    QCOMPARE(r.Messages,
             reported ? QStringList{QStringLiteral("Значение не в списке допустимых: ") + value}
                      : QStringList());
}

void TestConfigFormat::walkChecksStructure_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("completed");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("values and switches")
        << Doc("<command name=\"+SINT\"><index index=\"0\">"
               "<parameter index=\"0\" enabled=\"0\">42</parameter>"
               "<parameter index=\"1\" enabled=\"0\"> 12 </parameter></index></command>")
        << true << QStringList{"switch 0/0/0/0 off", "text 0/0/0/0 42", "text 0/0/0/1 12"};
    QTest::newRow("enabled absent or odd")
        << Doc("<command name=\"+SINT\"><index index=\"0\"><parameter index=\"0\">1</parameter>"
               "<parameter index=\"0\" enabled=\"yes\">2</parameter></index></command>")
        << true
        << QStringList{"switch 0/0/0/0 on", "text 0/0/0/0 1", "switch 0/0/0/0 on",
                       "text 0/0/0/0 2"};
    QTest::newRow("empty element sets only the switch")
        << Doc("<command name=\"+SINT\"><index index=\"0\"><parameter index=\"0\" enabled=\"0\">"
               "</parameter><parameter index=\"0\" enabled=\"1\"/></index></command>")
        << true << QStringList{"switch 0/0/0/0 off", "switch 0/0/0/0 on"};
    QTest::newRow("name in other case, second page")
        << Doc("<command name=\"+sopt\"><index index=\"0\"><parameter "
               "index=\"0\">Ж</parameter></index></command>")
        << true << QStringList{"switch 1/0/0/0 on", "text 1/0/0/0 Ж"};
    QTest::newRow("references and blanks")
        << Doc("<command name=\"+SOPT\"><index index=\"0\"><parameter index=\"0\">  a&lt;b&amp;c  "
               "d\r\n e "
               "</parameter></index></command>")
        << true << QStringList{"switch 1/0/0/0 on", "text 1/0/0/0 a<b&c d e"};
    QTest::newRow("indexed rows and options")
        << Doc("<command name=\"+SIDX\"><index index=\"2\"><parameter index=\"0\">1a</parameter>"
               "<parameter index=\"1\">C</parameter></index></command>")
        << true << QStringList{"switch 0/1/2/0 on", "text 0/1/2/0 001A", "option 0/1/2/1 2"};
    QTest::newRow("refused values go on")
        << Doc("<command name=\"+SINT\"><index index=\"0\"><parameter index=\"0\">250</parameter>"
               "<parameter index=\"1\">ab</parameter></index></command>"
               "<command name=\"+SIDX\"><index index=\"0\"><parameter "
               "index=\"1\">q</parameter></index></command>")
        << true << QStringList{"switch 0/0/0/0 on", "log Значение выходит за рамки диапазона: 250",
                               "text 0/0/0/0 50",   "log Значение не соответствует маске: ab",
                               "text 0/0/0/1 7",    "log Значение не в списке допустимых: q",
                               "option 0/1/0/1 1"};
    QTest::newRow("comment before root")
        << QByteArray("<?xml version=\"1.0\"?><!-- note --><Velmora><ExportCommandParamenters>"
                      "<command name=\"+SNOP\"><index index=\"0\"></index></command>"
                      "</ExportCommandParamenters></Velmora>")
        << true << QStringList();
    QTest::newRow("no declaration")
        << QByteArray("<Velmora><ExportCommandParamenters/></Velmora>") << true << QStringList();
    QTest::newRow("root after processing instruction")
        << QByteArray(
               "<?xml version=\"1.0\"?><?style x?><Velmora><ExportCommandParamenters/></Velmora>")
        << false << QStringList{"log Ошибка в данных 1"};
    QTest::newRow("list not after root")
        << QByteArray("<Velmora><x/><ExportCommandParamenters/></Velmora>") << false
        << QStringList{"log Ошибка в данных 2"};
    QTest::newRow("command without name") << Doc("<command><index index=\"0\"/></command>") << false
                                          << QStringList{"log Ошибка в данных 3"};
    QTest::newRow("unknown command")
        << Doc("<command name=\"+SINT\"><index index=\"0\"><parameter "
               "index=\"1\">5</parameter></index>"
               "</command><command name=\"+NOPE\"><index index=\"0\"/></command>")
        << false << QStringList{"text 0/0/0/1 5", "log Команда +NOPE не найдена"};
    QTest::newRow("last row accepted")
        << Doc("<command name=\"+SIDX\"><index index=\"2\"/></command>") << true << QStringList();
    QTest::newRow("row equal to maxindex")
        << Doc("<command name=\"+SIDX\"><index index=\"3\"/></command>") << false
        << QStringList{"log Ошибка в данных - превышен индекс команды +SIDX"};
    QTest::newRow("row 1 of plain command")
        << Doc("<command name=\"+SINT\"><index index=\"1\"/></command>") << false
        << QStringList{"log Ошибка в данных - превышен индекс команды +SINT"};
    QTest::newRow("unreadable row is 0")
        << Doc("<command name=\"+SINT\"><index index=\"x1\"><parameter "
               "index=\"1\">3</parameter></index></command>")
        << true << QStringList{"text 0/0/0/1 3"};
    QTest::newRow("parameter number too large")
        << Doc("<command name=\"+SINT\"><index index=\"0\"><parameter "
               "index=\"2\">3</parameter></index></command>")
        << false << QStringList{"log Ошибка в данных - превышен номер параметра команды +SINT"};
    QTest::newRow("text under a command without parameters")
        << Doc("<command name=\"+SNOP\"><index index=\"0\"></parameter>1</index></command>")
        << false << QStringList{"log Ошибка - не найден элемент ввода"};
    QTest::newRow("index before command")
        << Doc("<index index=\"0\"/>") << false
        << QStringList{"log Ошибка в данных - элемент вне команды"};
    QTest::newRow("parameter before command")
        << Doc("<parameter index=\"0\">1</parameter>") << false
        << QStringList{"log Ошибка в данных - элемент вне команды"};
    QTest::newRow("negative row")
        << Doc("<command name=\"+SIDX\"><index index=\"-1\"/></command>") << false
        << QStringList{"log Ошибка в данных - отрицательный индекс команды +SIDX"};
    QTest::newRow("negative parameter")
        << Doc("<command name=\"+SINT\"><index index=\"0\"><parameter "
               "index=\"-1\">1</parameter></index></command>")
        << false
        << QStringList{"log Ошибка в данных - отрицательный номер параметра команды +SINT"};
    QTest::newRow("new command starts at row 0")
        << Doc("<command name=\"+SIDX\"><index index=\"2\"></index></command>"
               "<command name=\"+SINT\"><parameter index=\"1\">4</parameter></command>")
        << true << QStringList{"text 0/0/0/1 4"};
}

void TestConfigFormat::walkChecksStructure() {
    QFETCH(QByteArray, text);
    QFETCH(bool, completed);
    QFETCH(QStringList, events);
    TRecordingSink sink;
    QCOMPARE(LoadConfigurationText(text, sink), completed);
    QCOMPARE(sink.Events, events);
}

void TestConfigFormat::walkStopsAtMissingControls() {
    const QByteArray text = Doc("<command name=\"+SIDX\"><index index=\"1\">"
                                "<parameter index=\"0\" enabled=\"0\">0020</parameter>"
                                "<parameter index=\"1\">a</parameter></index></command>");
    TRecordingSink noSwitch;
    noSwitch.MissingSwitches << QStringLiteral("0/1/1/0");
    QVERIFY(!LoadConfigurationText(text, noSwitch));
    QCOMPARE(noSwitch.Events, QStringList{"log Ошибка - не найден выключатель"});

    TRecordingSink noEditor;
    noEditor.MissingEditors << QStringLiteral("0/1/1/1");
    QVERIFY(!LoadConfigurationText(text, noEditor));
    QCOMPARE(noEditor.Events, (QStringList{"switch 0/1/1/0 off", "text 0/1/1/0 0020",
                                           "log Ошибка - не найден элемент ввода"}));
}

void TestConfigFormat::walkStopsAtUnknownKind() {
    DevCommands[0].Commands[0].Parameters[1].ParamKind = static_cast<TParamKind>(9);
    const QByteArray text =
        Doc("<command name=\"+SINT\"><index index=\"0\"><parameter index=\"0\">1</parameter>"
            "<parameter index=\"1\">2</parameter><parameter index=\"0\">3</parameter>"
            "</index></command>");
    TRecordingSink sink;
    QVERIFY(!LoadConfigurationText(text, sink));
    QCOMPARE(sink.Events, (QStringList{"switch 0/0/0/0 on", "text 0/0/0/0 1",
                                       "log Неизвестный тип параметра команды +SINT"}));
}

void TestConfigFormat::walkReadsWriterOutput() {
    const QByteArray file = WriteConfig([](TConfigWriter& w) {
        w.BeginCommand(QStringLiteral("+SIDX"));
        for (int row = 0; row < 3; ++row) {
            w.BeginRow(row);
            w.WriteParameter(0, true, row != 1,
                             QStringLiteral("%1").arg(row + 0x20, 4, 16, QChar('0')));
            w.WriteParameter(1, false, true, QStringLiteral("a"));
            w.EndRow();
        }
        w.EndCommand();
        w.BeginCommand(QStringLiteral("+SOPT"));
        w.BeginRow(0);
        w.WriteParameter(0, true, true, QStringLiteral("\"Ёлка\" & <ветки>  и  пробелы "));
        w.EndRow();
        w.EndCommand();
    });
    const TConfigInflateResult inflated = InflateBytes(file);
    QCOMPARE(inflated.Status, isComplete);
    TRecordingSink sink;
    QVERIFY(LoadConfigurationText(inflated.Text, sink));
    QCOMPARE(sink.Events,
             (QStringList{"switch 0/1/0/0 on", "text 0/1/0/0 0020", "option 0/1/0/1 0",
                          "switch 0/1/1/0 off", "text 0/1/1/0 0021", "option 0/1/1/1 0",
                          "switch 0/1/2/0 on", "text 0/1/2/0 0022", "option 0/1/2/1 0",
                          "switch 1/0/0/0 on", "text 1/0/0/0 \"Ёлка\" & <ветки> и пробелы"}));
}

void TestConfigFormat::normaliseFoldsBlanksAndControls_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("normalised");
    QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("ends trimmed") << QStringLiteral(" \t\r\na b\n\t ") << QStringLiteral("a b");
    QTest::newRow("inner run one space") << QStringLiteral("a \t\r\n b") << QStringLiteral("a b");
    QTest::newRow("injected command")
        << QStringLiteral("a\rAT+SAVE=1111,\rb\nc\td") << QStringLiteral("a AT+SAVE=1111, b c d");
    QTest::newRow("nul and other controls")
        << (QStringLiteral("x") + QChar(0) + QStringLiteral("y") + QChar(27) + QChar(31) +
            QStringLiteral("z"))
        << QStringLiteral("x y z");
    QTest::newRow("only controls") << (QString(QChar(0)) + QStringLiteral("\r\n\t")) << QString();
    QTest::newRow("del and cyrillic kept")
        << (QStringLiteral("Ёж") + QChar(127)) << (QStringLiteral("Ёж") + QChar(127));
}

void TestConfigFormat::normaliseFoldsBlanksAndControls() {
    QFETCH(QString, text);
    QFETCH(QString, normalised);
    QCOMPARE(NormaliseConfigText(text), normalised);
}

// References put line breaks, tabs and NULs where the reader's own blank
// folding cannot see them; none of them reaches an editor or a name lookup.
void TestConfigFormat::walkKeepsControlCharactersOutOfValuesAndNames() {
    const QByteArray doc =
        Doc("  <command name=\"&#13;&#10;+SOPT&#9;&#0;\">\r\n   <index index=\"0\">\r\n"
            "    <parameter index=\"0\" enabled=\"1\">a&#13;AT+SAVE=1111,&#13;b&#10;c&#9;d&#0;e"
            "</parameter>\r\n   </index>\r\n  </command>\r\n"
            "  <command name=\"+SINT\">\r\n   <index index=\"0\">\r\n"
            "    <parameter index=\"1\">&#13;&#10;&#9;&#0;</parameter>\r\n"
            "   </index>\r\n  </command>\r\n"
            "  <command name=\"+SO&#13;PT\">\r\n  </command>");
    TRecordingSink sink;
    QVERIFY(!LoadConfigurationText(doc, sink));
    // The control-only value sets nothing; the name with a break inside is
    // not a command of the profile.
    QCOMPARE(sink.Events, (QStringList{"switch 1/0/0/0 on", "text 1/0/0/0 a AT+SAVE=1111, b c d e",
                                       "log Команда +SO PT не найдена"}));
}

void TestConfigFormat::savedTextLoadsBackAsSaved() {
    const QString held = QStringLiteral("Ёлка € ā");
    const QByteArray file = WriteConfig([&](TConfigWriter& w) {
        w.BeginCommand(QStringLiteral("+SOPT"));
        w.BeginRow(0);
        w.WriteParameter(0, true, true, held);
        w.EndRow();
        w.EndCommand();
    });
    const TConfigInflateResult inflated = InflateBytes(file);
    QVERIFY(inflated.Text.contains("Ёлка € ?"));
    TRecordingSink sink;
    QVERIFY(LoadConfigurationText(inflated.Text, sink));
    QCOMPARE(sink.Events, (QStringList{"switch 1/0/0/0 on", "text 1/0/0/0 Ёлка € ?"}));
}

QTEST_GUILESS_MAIN(TestConfigFormat)
#include "tst_configformat.moc"
