#pragma once

// Small profiles built in code, for tests that need a page or two of known
// shape rather than the shipped profile.

#include "profile/DevCommands.h"

#include <QStringList>
#include <QVector>

namespace testkit {

// A parameter with the limits the profile loader gives its kind by default.
inline TCmdParameter Param(TParamKind kind, const QString& description, bool optional = true) {
    TCmdParameter p;
    p.ParamKind = kind;
    p.Description = description;
    p.Optional = optional;
    if (kind == pkInteger) {
        p.MinValue = kIntegerMinDefault;
        p.MaxValue = kIntegerMaxDefault;
    }
    if (kind == pkHex)
        p.MaxLen = kHexDefaultMaxLen;
    return p;
}

// An option parameter whose options read "Текст <value>".
inline TCmdParameter Options(const QString& defaultValue, const QStringList& values) {
    TCmdParameter p = Param(pkOption, QStringLiteral("Выбор"));
    p.DefaultValue = defaultValue;
    for (const QString& v : values)
        p.Options.append({v, QStringLiteral("Текст ") + v});
    return p;
}

// maxIndex above 0 makes the command indexed with that many rows.
inline TDevCommand Command(const QString& name, bool setData, bool pollData, int maxIndex,
                           QVector<TCmdParameter> params) {
    TDevCommand c;
    c.CommandName = name;
    c.Description = QStringLiteral("Команда ") + name;
    c.SetData = setData;
    c.PollData = pollData;
    c.MaxIndex = maxIndex;
    c.Indexed = maxIndex > 0;
    c.Parameters = std::move(params);
    return c;
}

inline TCmdPage Page(const QString& name, QVector<TDevCommand> commands) {
    TCmdPage p;
    p.PageId = name;
    p.PageName = name;
    p.Commands = std::move(commands);
    return p;
}

// Page and command of a command name with this row; page -1 when absent.
inline TCmdAddress Address(const QString& name, int row = 0) {
    TCmdAddress a = FindCommand(name);
    a.Row = row;
    a.Param = 0;
    return a;
}

} // namespace testkit
