#include "pages/TagCode.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"
#include "support/ShippedProfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(TParamKind)
Q_DECLARE_METATYPE(TPasswordMode)
Q_DECLARE_METATYPE(TGroupSetData)

using testkit::ShippedProfile;
using testkit::ShippedProfilePath;

namespace {

constexpr int kShippedPages = 7;
constexpr int kShippedCommands = 48;

// One page with one command around the given parameter attributes.
const TCmdParameter* LoadParameter(const QByteArray& attrs) {
    LoadCommandProfileFromData("<profile><page id=\"p\" name=\"P\">"
                               "<command command=\"+TEST\" polldata=\"1\">"
                               "<parameter " +
                               attrs + "/></command></page></profile>");
    if (DevCommands.size() != 1 || DevCommands[0].Commands.size() != 1 ||
        DevCommands[0].Commands[0].Parameters.size() != 1)
        return nullptr;
    return &DevCommands[0].Commands[0].Parameters[0];
}

const TDevCommand* LoadCommand(const QByteArray& attrs) {
    LoadCommandProfileFromData("<profile><page id=\"p\" name=\"P\"><command " + attrs +
                               "/></page></profile>");
    if (DevCommands.size() != 1 || DevCommands[0].Commands.size() != 1)
        return nullptr;
    return &DevCommands[0].Commands[0];
}

int CommandCount() {
    int n = 0;
    for (const TCmdPage& page : DevCommands)
        n += int(page.Commands.size());
    return n;
}

// page/command/parameter/option outline of the table, for structure tests.
QStringList Outline() {
    QStringList out;
    for (const TCmdPage& page : DevCommands) {
        out << "page " + page.PageId;
        for (const TDevCommand& cmd : page.Commands) {
            out << "command " + cmd.CommandName;
            for (const TCmdParameter& par : cmd.Parameters) {
                out << "parameter " + par.Description;
                for (const TCmdOption& opt : par.Options)
                    out << "option " + opt.OptionValue;
            }
        }
    }
    return out;
}

const TDevCommand* Command(const QString& name) {
    const TCmdAddress a = FindCommand(name);
    if (a.Page < 0)
        return nullptr;
    return &DevCommands[a.Page].Commands[a.Command];
}

} // namespace

class TestProfile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void parameterAttributes_data();
    void parameterAttributes();
    void parameterTexts();
    void commandAttributes_data();
    void commandAttributes();
    void commandTexts();
    void pollProcessorNames_data();
    void pollProcessorNames();

    void nestingFollowsDocumentOrder_data();
    void nestingFollowsDocumentOrder();
    void indexFindsCommandsWithoutRegardToCase();
    void laterCommandOfSameNameWins();
    void reloadEmptiesTableAndIndex();
    void missingFileLeavesTableEmpty();
    void indexRowsClampedToTagLimit();
    void parametersBeyondTagLimitSkipped();
    void commandsBeyondTagLimitSkipped();

    void processorDefaults();

    void shippedProfileLoads();
    void shippedProfileSpotChecks();
    void shippedProfileCoversEveryFeature();
    void shippedProfileFromFileAndMemoryAgree();

    void truncatedProfileKeepsWhatCameBefore();
    void unterminatedCommentEndsTheProfile();
    void garbageLoadsWithoutCrash_data();
    void garbageLoadsWithoutCrash();
};

void TestProfile::cleanup() {
    DevCommands.clear();
    ClearCommandIndex();
}

void TestProfile::parameterAttributes_data() {
    QTest::addColumn<QByteArray>("attrs");
    QTest::addColumn<TParamKind>("kind");
    QTest::addColumn<bool>("optional");
    QTest::addColumn<qint64>("minValue");
    QTest::addColumn<qint64>("maxValue");
    QTest::addColumn<int>("maxLen");
    QTest::addColumn<bool>("overwrite");

    const qint64 i32min = -2147483648LL, i32max = 2147483647LL, u32max = 4294967295LL;
    // clang-format off
    QTest::newRow("no attributes: string") << QByteArray("") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("integer without bounds") << QByteArray("type=\"integer\"") << pkInteger << true << i32min << i32max << 0 << true;
    QTest::newRow("capital I is a string") << QByteArray("type=\"Integer\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("unknown type is a string") << QByteArray("type=\"float\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("option kind") << QByteArray("type=\"option\"") << pkOption << true << 0LL << u32max << 0 << true;
    QTest::newRow("hex without maxlen has 8 digits") << QByteArray("type=\"hex\"") << pkHex << true << 0LL << u32max << 8 << true;
    QTest::newRow("hex of 2 digits") << QByteArray("type=\"hex\" maxlen=\"2\"") << pkHex << true << 0LL << u32max << 2 << true;
    QTest::newRow("hex maxlen 0 becomes 8") << QByteArray("type=\"hex\" maxlen=\"0\"") << pkHex << true << 0LL << u32max << 8 << true;
    QTest::newRow("hex longer than 64 bits clamped") << QByteArray("type=\"hex\" maxlen=\"40\"") << pkHex << true << 0LL << u32max << 16 << true;
    QTest::newRow("negative maxlen means unlimited") << QByteArray("maxlen=\"-3\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("string maxlen") << QByteArray("maxlen=\"16\"") << pkString << true << 0LL << u32max << 16 << true;
    QTest::newRow("optional 0") << QByteArray("optional=\"0\"") << pkString << false << 0LL << u32max << 0 << true;
    QTest::newRow("optional false") << QByteArray("optional=\"false\"") << pkString << false << 0LL << u32max << 0 << true;
    QTest::newRow("optional FALSE") << QByteArray("optional=\"FALSE\"") << pkString << false << 0LL << u32max << 0 << true;
    QTest::newRow("optional 0.0") << QByteArray("optional=\"0.0\"") << pkString << false << 0LL << u32max << 0 << true;
    QTest::newRow("optional with leading blank") << QByteArray("optional=\" 0\"") << pkString << false << 0LL << u32max << 0 << true;
    QTest::newRow("optional yes is no boolean") << QByteArray("optional=\"yes\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("overwrite 0") << QByteArray("overwrite=\"0\"") << pkString << true << 0LL << u32max << 0 << false;
    QTest::newRow("overwrite True keeps") << QByteArray("overwrite=\"True\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("overwrite any other number") << QByteArray("overwrite=\"-7\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("integer bounds") << QByteArray("type=\"integer\" minvalue=\"-12\" maxvalue=\"14\"") << pkInteger << true << -12LL << 14LL << 0 << true;
    QTest::newRow("integer bounds in hex") << QByteArray("type=\"integer\" minvalue=\"$10\" maxvalue=\"0X1f\"") << pkInteger << true << 16LL << 31LL << 0 << true;
    QTest::newRow("x prefix and plus sign") << QByteArray("type=\"integer\" minvalue=\"+7\" maxvalue=\"xFF\"") << pkInteger << true << 7LL << 255LL << 0 << true;
    QTest::newRow("leading blanks skipped") << QByteArray("type=\"integer\" minvalue=\"  5\" maxvalue=\"\t9\"") << pkInteger << true << 5LL << 9LL << 0 << true;
    QTest::newRow("trailing text takes default") << QByteArray("type=\"integer\" minvalue=\"5 \" maxvalue=\"9k\"") << pkInteger << true << i32min << i32max << 0 << true;
    QTest::newRow("bare prefixes take default") << QByteArray("type=\"integer\" minvalue=\"$\" maxvalue=\"0x\"") << pkInteger << true << i32min << i32max << 0 << true;
    QTest::newRow("bare sign takes default") << QByteArray("type=\"integer\" minvalue=\"-\" maxvalue=\"+\"") << pkInteger << true << i32min << i32max << 0 << true;
    QTest::newRow("integer 32-bit limits") << QByteArray("type=\"integer\" minvalue=\"-2147483648\" maxvalue=\"2147483647\"") << pkInteger << true << i32min << i32max << 0 << true;
    QTest::newRow("integer beyond 32 bits takes default") << QByteArray("type=\"integer\" minvalue=\"-2147483649\" maxvalue=\"3000000000\"") << pkInteger << true << i32min << i32max << 0 << true;
    QTest::newRow("hex bounds are 64-bit") << QByteArray("type=\"hex\" minvalue=\"$01\" maxvalue=\"3000000000\"") << pkHex << true << 1LL << 3000000000LL << 8 << true;
    QTest::newRow("negative bound of a hex") << QByteArray("type=\"hex\" minvalue=\"-1\"") << pkHex << true << -1LL << u32max << 8 << true;
    QTest::newRow("64-bit limits") << QByteArray("minvalue=\"-9223372036854775808\" maxvalue=\"$7FFFFFFFFFFFFFFF\"") << pkString << true << std::numeric_limits<qint64>::min() << std::numeric_limits<qint64>::max() << 0 << true;
    QTest::newRow("beyond 64 bits takes default") << QByteArray("minvalue=\"-9223372036854775809\" maxvalue=\"9223372036854775808\"") << pkString << true << 0LL << u32max << 0 << true;
    QTest::newRow("bounds of an option") << QByteArray("type=\"option\" minvalue=\"abc\" maxvalue=\"\"") << pkOption << true << 0LL << u32max << 0 << true;
    // clang-format on
}

void TestProfile::parameterAttributes() {
    QFETCH(QByteArray, attrs);
    QFETCH(TParamKind, kind);
    QFETCH(bool, optional);
    QFETCH(qint64, minValue);
    QFETCH(qint64, maxValue);
    QFETCH(int, maxLen);
    QFETCH(bool, overwrite);
    const TCmdParameter* par = LoadParameter(attrs);
    QVERIFY(par);
    QCOMPARE(par->ParamKind, kind);
    QCOMPARE(par->Optional, optional);
    QCOMPARE(par->MinValue, minValue);
    QCOMPARE(par->MaxValue, maxValue);
    QCOMPARE(par->MaxLen, maxLen);
    QCOMPARE(par->Overwrite, overwrite);
}

void TestProfile::parameterTexts() {
    const TCmdParameter* par =
        LoadParameter("type=\"string\" description=\"Номер\" suffix=\"мВ\" "
                      "onchar_mask=\"^\\+?[0-9]*$\" onleave_mask=\"^(\\+?[0-9]{5,15})?$\" "
                      "defaultvalue=\"+7900\"");
    QVERIFY(par);
    QCOMPARE(par->Description, QString::fromUtf8("Номер"));
    QCOMPARE(par->Suffix, QString::fromUtf8("мВ"));
    QCOMPARE(par->OnCharMask, QStringLiteral("^\\+?[0-9]*$"));
    QCOMPARE(par->OnLeaveMask, QStringLiteral("^(\\+?[0-9]{5,15})?$"));
    QCOMPARE(par->DefaultValue, QStringLiteral("+7900"));
    QVERIFY(par->Options.isEmpty());
}

void TestProfile::commandAttributes_data() {
    QTest::addColumn<QByteArray>("attrs");
    QTest::addColumn<bool>("pollData");
    QTest::addColumn<bool>("setData");
    QTest::addColumn<TGroupSetData>("groupSetData");
    QTest::addColumn<bool>("exportData");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<bool>("indexed");
    QTest::addColumn<TPasswordMode>("passwordMode");

    // clang-format off
    QTest::newRow("defaults") << QByteArray("command=\"+TEST\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("flags on") << QByteArray("command=\"+TEST\" polldata=\"1\" setdata=\"true\" exportdata=\"True\"") << true << true << gsAuto << true << -1 << false << pmAdminUser;
    QTest::newRow("setdata off") << QByteArray("command=\"+TEST\" setdata=\"0\"") << false << false << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("unparsable flags take defaults") << QByteArray("command=\"+TEST\" polldata=\"on\" setdata=\"off\" exportdata=\"y\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("boolean decimal number") << QByteArray("command=\"+TEST\" polldata=\"2.5\" setdata=\"0.0\" exportdata=\" -1 \"") << true << false << gsAuto << true << -1 << false << pmAdminUser;
    QTest::newRow("boolean exponent") << QByteArray("command=\"+TEST\" polldata=\"1e0\" setdata=\"0e5\"") << true << false << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("hex is no boolean") << QByteArray("command=\"+TEST\" polldata=\"$1\" setdata=\"x0\" exportdata=\"0x1\" groupsetdata=\"$0\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    if (QLocale::system().decimalPoint() == QLatin1String(".") && QLocale::system().groupSeparator() == QLatin1String(","))
        QTest::newRow("boolean with group separator") << QByteArray("command=\"+TEST\" polldata=\"1,000\" setdata=\"0,000\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("groupsetdata true") << QByteArray("command=\"+TEST\" groupsetdata=\"true\"") << false << true << gsYes << false << -1 << false << pmAdminUser;
    QTest::newRow("groupsetdata 1") << QByteArray("command=\"+TEST\" groupsetdata=\"1\"") << false << true << gsYes << false << -1 << false << pmAdminUser;
    QTest::newRow("groupsetdata False") << QByteArray("command=\"+TEST\" groupsetdata=\"False\"") << false << true << gsNo << false << -1 << false << pmAdminUser;
    QTest::newRow("groupsetdata 0") << QByteArray("command=\"+TEST\" groupsetdata=\"0\"") << false << true << gsNo << false << -1 << false << pmAdminUser;
    QTest::newRow("groupsetdata yes is auto") << QByteArray("command=\"+TEST\" groupsetdata=\"yes\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("groupsetdata empty is auto") << QByteArray("command=\"+TEST\" groupsetdata=\"\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("maxindex 0 not indexed") << QByteArray("command=\"+TEST\" maxindex=\"0\"") << false << true << gsAuto << false << 0 << false << pmAdminUser;
    QTest::newRow("negative maxindex not indexed") << QByteArray("command=\"+TEST\" maxindex=\"-4\"") << false << true << gsAuto << false << -4 << false << pmAdminUser;
    QTest::newRow("maxindex 4") << QByteArray("command=\"+TEST\" maxindex=\"4\"") << false << true << gsAuto << false << 4 << true << pmAdminUser;
    QTest::newRow("maxindex 1") << QByteArray("command=\"+TEST\" maxindex=\"1\"") << false << true << gsAuto << false << 1 << true << pmAdminUser;
    QTest::newRow("maxindex unparsable") << QByteArray("command=\"+TEST\" maxindex=\"four\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("password admin") << QByteArray("command=\"+TEST\" passwordmode=\"admin\"") << false << true << gsAuto << false << -1 << false << pmAdmin;
    QTest::newRow("password ADMINUSER") << QByteArray("command=\"+TEST\" passwordmode=\"ADMINUSER\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("password UserAdmin") << QByteArray("command=\"+TEST\" passwordmode=\"UserAdmin\"") << false << true << gsAuto << false << -1 << false << pmUserAdmin;
    QTest::newRow("password user in lower case") << QByteArray("command=\"+TEST\" passwordmode=\"user\"") << false << true << gsAuto << false << -1 << false << pmUser;
    QTest::newRow("password unknown") << QByteArray("command=\"+TEST\" passwordmode=\"guest\"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    QTest::newRow("password with blank") << QByteArray("command=\"+TEST\" passwordmode=\"user \"") << false << true << gsAuto << false << -1 << false << pmAdminUser;
    // clang-format on
}

void TestProfile::commandAttributes() {
    QFETCH(QByteArray, attrs);
    QFETCH(bool, pollData);
    QFETCH(bool, setData);
    QFETCH(TGroupSetData, groupSetData);
    QFETCH(bool, exportData);
    QFETCH(int, maxIndex);
    QFETCH(bool, indexed);
    QFETCH(TPasswordMode, passwordMode);
    const TDevCommand* cmd = LoadCommand(attrs);
    QVERIFY(cmd);
    QCOMPARE(cmd->PollData, pollData);
    QCOMPARE(cmd->SetData, setData);
    QCOMPARE(cmd->GroupSetData, groupSetData);
    QCOMPARE(cmd->ExportData, exportData);
    QCOMPARE(cmd->MaxIndex, maxIndex);
    QCOMPARE(cmd->Indexed, indexed);
    QCOMPARE(cmd->RowCount(), indexed ? maxIndex : 1);
    QCOMPARE(cmd->PasswordMode, passwordMode);
}

void TestProfile::commandTexts() {
    const TDevCommand* cmd =
        LoadCommand("command=\"+SGDT\" description=\"Идентификация &quot;трекера&quot;\"");
    QVERIFY(cmd);
    QCOMPARE(cmd->CommandName, QStringLiteral("+SGDT"));
    QCOMPARE(cmd->Description, QString::fromUtf8("Идентификация \"трекера\""));
    QVERIFY(cmd->Parameters.isEmpty());
}

void TestProfile::pollProcessorNames_data() {
    QTest::addColumn<QByteArray>("attrs");
    QTest::addColumn<QString>("processor");

    QTest::newRow("readable command keeps the empty name")
        << QByteArray("command=\"+SGDT\" polldata=\"1\"") << "";
    QTest::newRow("unreadable command gets nonpoll")
        << QByteArray("command=\"+SGDT\"") << "nonpoll";
    QTest::newRow("+TEXT gets exitcmd") << QByteArray("command=\"+TEXT\"") << "exitcmd";
    QTest::newRow("+SRBT readable gets exitcmd")
        << QByteArray("command=\"+SRBT\" polldata=\"1\"") << "exitcmd";
    QTest::newRow("defaults ignore case") << QByteArray("command=\"+text\"") << "exitcmd";
    QTest::newRow("named processor kept")
        << QByteArray("command=\"+TEXT\" pollprocessor=\"default\"") << "default";
    QTest::newRow("unregistered name stored as written")
        << QByteArray("command=\"+SGDT\" pollprocessor=\"Mystery\"") << "Mystery";
}

void TestProfile::pollProcessorNames() {
    QFETCH(QByteArray, attrs);
    QFETCH(QString, processor);
    const TDevCommand* cmd = LoadCommand(attrs);
    QVERIFY(cmd);
    QCOMPARE(cmd->PollProcessorName, processor);
}

void TestProfile::nestingFollowsDocumentOrder_data() {
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("outline");

    QTest::newRow("well nested")
        << QByteArray("<r><page id=\"a\"><command command=\"+AAAA\"><parameter description=\"x\">"
                      "<option value=\"1\"/></parameter></command></page></r>")
        << QStringList({"page a", "command +AAAA", "parameter x", "option 1"});
    QTest::newRow("parameter after a closed command")
        << QByteArray("<r><page id=\"a\"><command command=\"+AAAA\"/></page>"
                      "<parameter description=\"x\"/></r>")
        << QStringList({"page a", "command +AAAA", "parameter x"});
    QTest::newRow("option after a closed parameter")
        << QByteArray("<page id=\"a\"/><command command=\"+AAAA\"/><parameter description=\"x\"/>"
                      "<option value=\"1\"/><option value=\"2\"/>")
        << QStringList({"page a", "command +AAAA", "parameter x", "option 1", "option 2"});
    QTest::newRow("options attach to a non-option parameter")
        << QByteArray("<page id=\"a\"/><command command=\"+AAAA\"/>"
                      "<parameter type=\"integer\" description=\"x\"/><option value=\"1\"/>")
        << QStringList({"page a", "command +AAAA", "parameter x", "option 1"});
    QTest::newRow("command before any page skipped with its parts")
        << QByteArray("<command command=\"+LOST\"/><parameter description=\"lost\"/>"
                      "<option value=\"0\"/><page id=\"a\"/><command command=\"+AAAA\"/>")
        << QStringList({"page a", "command +AAAA"});
    QTest::newRow("parameter before any command skipped")
        << QByteArray("<page id=\"a\"/><parameter description=\"lost\"/><option value=\"0\"/>"
                      "<command command=\"+AAAA\"/>")
        << QStringList({"page a", "command +AAAA"});
    QTest::newRow("option before any parameter skipped")
        << QByteArray("<page id=\"a\"/><command command=\"+AAAA\"/><option value=\"0\"/>"
                      "<parameter description=\"x\"/>")
        << QStringList({"page a", "command +AAAA", "parameter x"});
    QTest::newRow("new page resets the command")
        << QByteArray("<page id=\"a\"/><command command=\"+AAAA\"/><page id=\"b\"/>"
                      "<parameter description=\"lost\"/>")
        << QStringList({"page a", "command +AAAA", "page b"});
    QTest::newRow("new command resets the parameter")
        << QByteArray("<page id=\"a\"/><command command=\"+AAAA\"/><parameter description=\"x\"/>"
                      "<command command=\"+BBBB\"/><option value=\"lost\"/>")
        << QStringList({"page a", "command +AAAA", "parameter x", "command +BBBB"});
    QTest::newRow("element names compare with exact case")
        << QByteArray("<page id=\"a\"/><Command command=\"+LOST\"/><PAGE id=\"lost\"/>"
                      "<command command=\"+AAAA\"/><Parameter description=\"lost\"/>")
        << QStringList({"page a", "command +AAAA"});
    QTest::newRow("other elements, text and comments ignored")
        << QByteArray("<r><page id=\"a\">text<note/><!-- <command command=\"+LOST\"/> -->"
                      "<command command=\"+AAAA\"><![CDATA[<parameter/>]]></command></page></r>")
        << QStringList({"page a", "command +AAAA"});
}

void TestProfile::nestingFollowsDocumentOrder() {
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, outline);
    LoadCommandProfileFromData(xml);
    QCOMPARE(Outline(), outline);
}

void TestProfile::indexFindsCommandsWithoutRegardToCase() {
    LoadCommandProfileFromData("<page id=\"a\"/><command command=\"+AAAA\"/>"
                               "<command command=\"+BBBB\"/><page id=\"b\"/>"
                               "<command command=\"+CCCC\"/>");
    const TCmdAddress c = FindCommand("+cccc");
    QCOMPARE(c.Page, 1);
    QCOMPARE(c.Command, 0);
    const TCmdAddress b = FindCommand("+BBBB");
    QCOMPARE(b.Page, 0);
    QCOMPARE(b.Command, 1);
    QCOMPARE(FindCommand("+DDDD").Page, -1);
    QCOMPARE(FindCommand(QString()).Page, -1);
    QCOMPARE(CommandIndex().value("+AAAA"), QStringLiteral("0,0"));
}

void TestProfile::laterCommandOfSameNameWins() {
    LoadCommandProfileFromData("<page id=\"a\"/><command command=\"+SAME\" description=\"first\"/>"
                               "<page id=\"b\"/><command command=\"+OTHR\"/>"
                               "<command command=\"+same\" description=\"second\"/>");
    const TCmdAddress a = FindCommand("+SAME");
    QCOMPARE(a.Page, 1);
    QCOMPARE(a.Command, 1);
    QCOMPARE(DevCommands[a.Page].Commands[a.Command].Description, QStringLiteral("second"));
    // Both stay in the table.
    QCOMPARE(CommandCount(), 3);
}

void TestProfile::reloadEmptiesTableAndIndex() {
    LoadCommandProfileFromData("<page id=\"a\"/><command command=\"+OLDC\"/>");
    QCOMPARE(FindCommand("+OLDC").Page, 0);
    LoadCommandProfileFromData("<page id=\"b\"/><command command=\"+NEWC\"/>");
    QCOMPARE(DevCommands.size(), 1);
    QCOMPARE(DevCommands[0].PageId, QStringLiteral("b"));
    QCOMPARE(FindCommand("+OLDC").Page, -1);
    QCOMPARE(FindCommand("+NEWC").Page, 0);
}

void TestProfile::missingFileLeavesTableEmpty() {
    LoadCommandProfileFromData("<page id=\"a\"/><command command=\"+OLDC\"/>");
    LoadCommandProfile(QStringLiteral("/nonexistent/cmdprofile.xml"));
    QVERIFY(DevCommands.isEmpty());
    QCOMPARE(FindCommand("+OLDC").Page, -1);
}

void TestProfile::indexRowsClampedToTagLimit() {
    const TDevCommand* cmd = LoadCommand("command=\"+MANY\" maxindex=\"1000\"");
    QVERIFY(cmd);
    QCOMPARE(cmd->MaxIndex, kTagMaxRows);
    QVERIFY(cmd->Indexed);
    // The last row still has its own Tag code.
    QCOMPARE(SplitTag(MakeTag(0, cmd->MaxIndex - 1, 0)).Row, kTagMaxRows - 1);
    cmd = LoadCommand("command=\"+MANY\" maxindex=\"256\"");
    QVERIFY(cmd);
    QCOMPARE(cmd->MaxIndex, 256);
}

void TestProfile::parametersBeyondTagLimitSkipped() {
    QByteArray xml = "<page id=\"a\"/><command command=\"+MANY\"/>";
    for (int i = 0; i < kTagMaxParams + 10; ++i)
        xml += "<parameter description=\"" + QByteArray::number(i) + "\"/><option value=\"" +
               QByteArray::number(i) + "\"/>";
    xml += "<command command=\"+NEXT\"/><parameter description=\"next\"/>";
    LoadCommandProfileFromData(xml);
    QCOMPARE(DevCommands[0].Commands.size(), 2);
    const TDevCommand& many = DevCommands[0].Commands[0];
    QCOMPARE(many.Parameters.size(), kTagMaxParams);
    QCOMPARE(many.Parameters.last().Description, QString::number(kTagMaxParams - 1));
    // Options of a skipped parameter do not land on the last kept one.
    QCOMPARE(many.Parameters.last().Options.size(), 1);
    QCOMPARE(DevCommands[0].Commands[1].Parameters.size(), 1);
}

void TestProfile::commandsBeyondTagLimitSkipped() {
    QByteArray xml = "<page id=\"a\"/>";
    xml.reserve(kTagMaxCommands * 32);
    for (int i = 0; i < kTagMaxCommands; ++i)
        xml += "<command command=\"+C" + QByteArray::number(i) + "\"/>";
    xml += "<command command=\"+OVER\"/><parameter description=\"lost\"/>"
           "<page id=\"b\"/><command command=\"+NEXT\"/>";
    LoadCommandProfileFromData(xml);
    QCOMPARE(DevCommands.size(), 2);
    QCOMPARE(DevCommands[0].Commands.size(), kTagMaxCommands);
    QVERIFY(DevCommands[0].Commands.last().Parameters.isEmpty());
    QCOMPARE(FindCommand("+OVER").Page, -1);
    const TCmdAddress last = FindCommand("+C" + QString::number(kTagMaxCommands - 1));
    QCOMPARE(last.Command, kTagMaxCommands - 1);
    QCOMPARE(SplitTag(MakeTag(last.Command, 0, 0)).Command, kTagMaxCommands - 1);
    QCOMPARE(FindCommand("+NEXT").Page, 1);
}

void TestProfile::processorDefaults() {
    QCOMPARE(PollProcessorDefaults().size(), 2);
    QCOMPARE(PollProcessorDefault("+SRBT"), QStringLiteral("exitcmd"));
    QCOMPARE(PollProcessorDefault("+SAVE"), QString());
}

void TestProfile::shippedProfileLoads() {
    QVERIFY2(QFile::exists(ShippedProfilePath()), qPrintable(ShippedProfilePath()));
    LoadCommandProfile(ShippedProfilePath());
    QCOMPARE(DevCommands.size(), kShippedPages);
    QCOMPARE(CommandCount(), kShippedCommands);
    QStringList ids;
    for (const TCmdPage& page : DevCommands)
        ids << page.PageId;
    QCOMPARE(ids, QStringList({"main", "gsm", "nav", "inputs", "outputs", "sms", "service"}));
    QCOMPARE(DevCommands[0].PageName, QString::fromUtf8("Основные"));
    QCOMPARE(DevCommands[3].PageName, QString::fromUtf8("Входы и датчики"));
    // Every command is indexed where it stands.
    for (int p = 0; p < DevCommands.size(); ++p) {
        for (int c = 0; c < DevCommands[p].Commands.size(); ++c) {
            const TCmdAddress a = FindCommand(DevCommands[p].Commands[c].CommandName);
            QCOMPARE(a.Page, p);
            QCOMPARE(a.Command, c);
        }
    }
}

void TestProfile::shippedProfileSpotChecks() {
    LoadCommandProfile(ShippedProfilePath());
    const TDevCommand* sgdt = Command("+SGDT");
    QVERIFY(sgdt);
    QCOMPARE(FindCommand("+SGDT").Page, 0);
    QCOMPARE(sgdt->Description, QString::fromUtf8("Идентификация трекера"));
    QVERIFY(sgdt->PollData && sgdt->ExportData && sgdt->SetData);
    QCOMPARE(sgdt->PasswordMode, pmAdmin);
    QCOMPARE(sgdt->Parameters.size(), 3);
    QCOMPARE(sgdt->Parameters[1].OnCharMask, QStringLiteral("^[0-9]*$"));
    QVERIFY(!sgdt->Parameters[1].Optional);
    QCOMPARE(sgdt->Parameters[2].Options.size(), 2);
    QCOMPARE(sgdt->Parameters[2].Options[1].OptionText, QString::fromUtf8("Русский"));

    const TDevCommand* text = Command("+TEXT");
    QVERIFY(text);
    QCOMPARE(text->PollProcessorName, QStringLiteral("exitcmd"));
    QCOMPARE(text->PasswordMode, pmUser);
    QCOMPARE(text->GroupSetData, gsNo);
    QCOMPARE(Command("+SRBT")->PollProcessorName, QStringLiteral("exitcmd"));
    QCOMPARE(Command("+SRBT")->Parameters[0].Options.size(), 1);
    QVERIFY(Command("+SAVE"));
    QCOMPARE(Command("+SPWD")->PollProcessorName, QStringLiteral("nonpoll"));

    const TCmdParameter& address = Command("+SFUE")->Parameters[0];
    QCOMPARE(address.ParamKind, pkHex);
    QCOMPARE(address.MaxLen, 2);
    QCOMPARE(address.MinValue, 1);
    QCOMPARE(address.MaxValue, 0xFE);

    const TDevCommand* stmp = Command("+STMP");
    QVERIFY(stmp->Indexed);
    QCOMPARE(stmp->RowCount(), 8);
    QCOMPARE(stmp->Parameters[0].MaxLen, 8);
    QCOMPARE(stmp->Parameters[0].MaxValue, 4294967295LL);
    QCOMPARE(stmp->Parameters[1].MinValue, -55);
    QCOMPARE(stmp->Parameters[1].Suffix, QString::fromUtf8("°C"));

    QCOMPARE(Command("+SIGN")->Parameters[1].Description.left(13),
             QString::fromUtf8("Напряжение <="));
    QCOMPARE(Command("+SCFG")->Parameters[0].MaxValue, 0x7FFFFFFF);
    QVERIFY(!Command("+SCFG")->Parameters[1].Overwrite);
    QCOMPARE(Command("+SNTP")->GroupSetData, gsYes);
    QVERIFY(!Command("+SCNT")->SetData);
    QVERIFY(Command("+SCNT")->Indexed);
    QCOMPARE(Command("+SUPD")->PasswordMode, pmAdmin);
    QCOMPARE(Command("+SPHN")->PasswordMode, pmUserAdmin);
}

void TestProfile::shippedProfileCoversEveryFeature() {
    LoadCommandProfile(ShippedProfilePath());
    const QRegularExpression namePattern(QStringLiteral("^\\+[A-Z]{4}$"));
    QSet<int> kinds, modes, groups, rowCounts;
    int readable = 0, exported = 0, unreadable = 0, readOnly = 0;
    bool optionDefaultUnmatched = false, singleOption = false, indexedReadOnly = false;
    bool hexWithoutBounds = false, hexWithBounds = false, withSuffix = false;
    QSet<int> hexDigits;
    QSet<QString> names;
    for (const TCmdPage& page : DevCommands) {
        for (const TDevCommand& cmd : page.Commands) {
            QVERIFY2(namePattern.match(cmd.CommandName).hasMatch(), qPrintable(cmd.CommandName));
            QVERIFY2(!names.contains(cmd.CommandName), qPrintable(cmd.CommandName));
            names.insert(cmd.CommandName);
            QVERIFY(!cmd.Description.isEmpty());
            QVERIFY(!cmd.Description.contains(QLatin1Char('?'))); // survived the code page
            modes.insert(cmd.PasswordMode);
            groups.insert(cmd.GroupSetData);
            readable += cmd.PollData;
            exported += cmd.ExportData;
            unreadable += !cmd.PollData;
            readOnly += !cmd.SetData;
            if (cmd.Indexed) {
                rowCounts.insert(cmd.MaxIndex);
                indexedReadOnly |= !cmd.SetData;
            }
            for (const TCmdParameter& par : cmd.Parameters) {
                kinds.insert(par.ParamKind);
                QVERIFY(!par.DefaultValue.contains(QLatin1Char(',')));
                withSuffix |= !par.Suffix.isEmpty();
                if (par.ParamKind == pkHex) {
                    hexDigits.insert(par.MaxLen);
                    const bool defaultBounds = par.MinValue == 0 && par.MaxValue == 4294967295LL;
                    hexWithoutBounds |= defaultBounds;
                    hexWithBounds |= !defaultBounds;
                }
                if (par.ParamKind == pkOption) {
                    QVERIFY(!par.Options.isEmpty());
                    singleOption |= par.Options.size() == 1;
                    bool matched = false;
                    for (const TCmdOption& opt : par.Options) {
                        QVERIFY(!opt.OptionValue.contains(QLatin1Char(',')));
                        matched |= opt.OptionValue == par.DefaultValue;
                    }
                    optionDefaultUnmatched |= !matched;
                }
            }
        }
    }
    QVERIFY(!names.contains("+SDAD")); // the status stream is built in
    QCOMPARE(kinds.size(), 4);
    QCOMPARE(modes.size(), 4);
    QCOMPARE(groups.size(), 3);
    QVERIFY(rowCounts.contains(2) && rowCounts.contains(8) && rowCounts.size() >= 3);
    QVERIFY(hexDigits.contains(2) && hexDigits.contains(4) && hexDigits.contains(8));
    QVERIFY(hexWithBounds && hexWithoutBounds);
    QVERIFY(optionDefaultUnmatched && singleOption && indexedReadOnly && withSuffix);
    QVERIFY(unreadable > 0 && readOnly > 0);
    QVERIFY(readable > kShippedCommands / 2);
    QVERIFY(exported > kShippedCommands / 2);
}

void TestProfile::shippedProfileFromFileAndMemoryAgree() {
    const QByteArray data = ShippedProfile();
    QVERIFY(!data.isEmpty());
    LoadCommandProfile(ShippedProfilePath());
    const QStringList fromFile = Outline();
    LoadCommandProfileFromData(data);
    QCOMPARE(Outline(), fromFile);
}

void TestProfile::truncatedProfileKeepsWhatCameBefore() {
    const QByteArray data = ShippedProfile();
    QVERIFY(!data.isEmpty());
    // Cut inside the attributes of a parameter half-way through.
    const qsizetype cut = data.indexOf("description=", data.indexOf("<parameter", data.size() / 2));
    QVERIFY(cut > 0);
    const QByteArray head = data.left(cut + 15);
    LoadCommandProfileFromData(head);
    const int expectedCommands = int(head.count("<command "));
    QCOMPARE(CommandCount(), expectedCommands);
    QCOMPARE(DevCommands.size(), int(head.count("<page ")));
    // The cut parameter is not taken half-read.
    int parameters = 0;
    for (const TCmdPage& page : DevCommands)
        for (const TDevCommand& cmd : page.Commands)
            parameters += int(cmd.Parameters.size());
    QCOMPARE(parameters, int(head.count("<parameter ")) - 1);
}

void TestProfile::unterminatedCommentEndsTheProfile() {
    QByteArray data = ShippedProfile();
    const qsizetype at = data.indexOf("<page id=\"nav\"");
    QVERIFY(at > 0);
    data.insert(at, "<!-- never closed ");
    LoadCommandProfileFromData(data);
    QCOMPARE(DevCommands.size(), 2);
    QCOMPARE(DevCommands.last().PageId, QStringLiteral("gsm"));
    QCOMPARE(FindCommand("+STRK").Page, -1);
}

void TestProfile::garbageLoadsWithoutCrash_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("pages");

    constexpr int kMegabyte = 1 << 20;
    QRandomGenerator rng(42);
    QByteArray binary(256 * 1024, '\0');
    for (char& c : binary)
        c = char(rng.bounded(256));
    QTest::newRow("binary garbage") << binary << -1;
    QTest::newRow("1 MB of <") << QByteArray(kMegabyte, '<') << 0;
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("only a declaration") << QByteArray("<?xml version=\"1.0\"?>") << 0;
    QTest::newRow("garbage after a page")
        << QByteArray("<page id=\"a\"/>\x01\x02\xFF\xFE<<>>\"'&&#;<command") << 1;
    QTest::newRow("page names repeated") << QByteArray("<page/>").repeated(10000) << 10000;
}

void TestProfile::garbageLoadsWithoutCrash() {
    QFETCH(QByteArray, data);
    QFETCH(int, pages);
    LoadCommandProfileFromData(data);
    if (pages >= 0)
        QCOMPARE(DevCommands.size(), pages);
    for (const TCmdPage& page : DevCommands) {
        QVERIFY(page.Commands.size() <= kTagMaxCommands);
        for (const TDevCommand& cmd : page.Commands) {
            QVERIFY(cmd.MaxIndex <= kTagMaxRows);
            QVERIFY(cmd.Parameters.size() <= kTagMaxParams);
        }
    }
}

QTEST_GUILESS_MAIN(TestProfile)
#include "tst_profile.moc"
