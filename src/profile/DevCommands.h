#pragma once

#include <QHash>
#include <QString>
#include <QVector>
#include <cstdint>
#include <limits>

// The command table read from cmdprofile.xml. Plain records in file order;
// nothing changes them after loading.

enum TParamKind : uint8_t { pkInteger = 0, pkString = 1, pkHex = 2, pkOption = 3 };
enum TPasswordMode : uint8_t { pmAdmin = 0, pmAdminUser = 1, pmUserAdmin = 2, pmUser = 3 };
enum TGroupSetData : uint8_t { gsNo = 0, gsAuto = 1, gsYes = 2 };

// A number without bounds in the profile takes the range of its 32 bits.
constexpr qint64 kIntegerMinDefault = std::numeric_limits<qint32>::min();
constexpr qint64 kIntegerMaxDefault = std::numeric_limits<qint32>::max();
constexpr qint64 kUnsignedMinDefault = std::numeric_limits<quint32>::min();
constexpr qint64 kUnsignedMaxDefault = std::numeric_limits<quint32>::max();
constexpr int kHexDefaultMaxLen = 8;
// Longest hexadecimal value the pages hold; longer profile lengths are cut.
constexpr int kHexMaxDigits = 64;

// Every control of a page is addressed by command << 16 | row << 8 |
// parameter: a page holds at most this many commands, a command at most this
// many rows and parameters.
constexpr int kTagMaxRows = 256;
constexpr int kTagMaxParams = 256;
constexpr int kTagMaxCommands = 32767;

struct TCmdOption {
    QString OptionValue;
    QString OptionText;
};

struct TCmdParameter {
    TParamKind ParamKind = pkString;
    QString Description;
    QString Suffix;
    bool Optional = true;
    qint64 MinValue = kUnsignedMinDefault;
    qint64 MaxValue = kUnsignedMaxDefault;
    QString OnCharMask;
    QString OnLeaveMask;
    QString DefaultValue;
    qint32 MaxLen = 0;
    bool Overwrite = true;
    QVector<TCmdOption> Options;
};

struct TDevCommand {
    bool PollData = false;
    bool SetData = true;
    TGroupSetData GroupSetData = gsAuto;
    bool ExportData = false;
    bool Indexed = false;
    qint32 MaxIndex = -1;
    QString PollProcessorName;
    QString Description;
    QString CommandName;
    TPasswordMode PasswordMode = pmAdminUser;
    QVector<TCmdParameter> Parameters;

    // Rows shown and exchanged: MaxIndex for an indexed command, else one.
    int RowCount() const { return Indexed ? MaxIndex : 1; }
};

struct TCmdPage {
    QString PageId;
    QString PageName;
    QVector<TDevCommand> Commands;
};

struct TCmdAddress {
    qint32 Page = 0;
    qint32 Command = 0;
    qint32 Row = 0;
    qint32 Param = 0;
};

extern QVector<TCmdPage> DevCommands;

// Command name -> (page, command); names compare without regard to case and
// the later of two equal names wins. Page is -1 when the name is absent.
TCmdAddress FindCommand(const QString& name);

// The command or parameter at an address; nullptr outside the table (the row
// is not checked).
const TDevCommand* CommandAt(int page, int command);
const TDevCommand* CommandAt(const TCmdAddress& address);
const TCmdParameter* ParameterAt(const TCmdAddress& address);
// The same with the row checked too: nullptr for a row the command lacks.
const TCmdParameter* RowParameterAt(const TCmdAddress& address);

// Digits a hexadecimal value holds for a profile length (0 or less: 8).
int HexValueDigits(int maxLen);

// The option a fresh page selects: the one whose value is the default, else
// the second (-1 when the list is shorter).
int DefaultOption(const TCmdParameter& param);

// The index itself: upper-cased command name -> "page,command".
const QHash<QString, QString>& CommandIndex();

// Used by the loader; also empties the index together with the table.
void ClearCommandIndex();
void AddCommandIndex(const QString& name, int page, int command);

// Processor supplied for a command whose profile entry names none:
// "+TEXT" and "+SRBT" -> "exitcmd" (keys upper-cased).
const QHash<QString, QString>& PollProcessorDefaults();
QString PollProcessorDefault(const QString& commandName);
