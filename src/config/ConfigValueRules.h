#pragma once

#include "profile/DevCommands.h"

#include <QString>
#include <QStringList>

// The outcome of one value rule: the text for an editor or the option to
// select (-1: leave the list as it is), and the messages to log, in order.
struct TConfigValue {
    QString Text;
    int Option = -1;
    QStringList Messages;
};

// Value rules for pkInteger, pkString, pkHex and pkOption; value is the
// content as the XML reader delivers it; maskMatches answers the leave-mask test.
TConfigValue IntegerConfigValue(const TCmdParameter& param, const QString& value);
TConfigValue StringConfigValue(const TCmdParameter& param, const QString& value, bool maskMatches);
TConfigValue HexConfigValue(const TCmdParameter& param, const QString& value);
TConfigValue OptionConfigValue(const TCmdParameter& param, const QString& value);

// Text taken from a file: blanks trimmed at the ends and every inner run of
// blanks made one space. Any control character counts as a blank, so a
// reference such as &#13; or &#0; cannot carry a line break to the device.
QString NormaliseConfigText(const QString& text);

// Number forms of the loader: optional sign and decimal digits within 32 bits;
// one to sixteen hexadecimal digits taken as a 64-bit pattern.
bool ReadConfigDecimal(const QString& text, qint32* value);
bool ReadConfigHex(const QString& text, qint64* value);
