#include "ProfileCheck.h"

#include "DevCommands.h"
#include "ProfileLoader.h"
#include "base/Translate.h"
#include "base/XmlParser.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// "+RESP:" and the name without its "+" must make exactly this many
// characters, or an answer never matches.
constexpr int kResponseHeaderLength = 10;
constexpr char kResponsePrefix[] = "+RESP:";

// The findings speak the tool's language, as the rest of its output does.
constexpr TTrContext T("TProfileCheck");

QString Quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString ParamLabel(int index, const TCmdParameter& p) {
    return T("параметр %1 %2").arg(index + 1).arg(Quoted(p.Description));
}

void CheckName(const TDevCommand& cmd, QVector<TProfileFinding>& out) {
    static const QRegularExpression wellFormed(QStringLiteral("^\\+[A-Za-z]{4}$"));
    if (wellFormed.match(cmd.CommandName).hasMatch())
        return;
    QString bare = cmd.CommandName;
    bare.remove(QLatin1Char('+'));
    if (QLatin1String(kResponsePrefix).size() + bare.size() != kResponseHeaderLength)
        out.append({cmd.CommandName, T("имя не из \"+\" и четырёх букв: ответы на него "
                                       "никогда не распознаются, и каждое чтение повторяется")});
    else
        out.append({cmd.CommandName, T("имя не из \"+\" и четырёх букв")});
}

void CheckInteger(const TDevCommand& cmd, int k, const TCmdParameter& p,
                  QVector<TProfileFinding>& out) {
    const QString d = p.DefaultValue.trimmed();
    bool ok = false;
    const qint64 v = d.toInt(&ok);
    if (!ok) {
        out.append({cmd.CommandName,
                    ParamLabel(k, p) +
                        T(": значение по умолчанию %1 не число").arg(Quoted(p.DefaultValue))});
        return;
    }
    // Equal bounds leave the editor unbounded.
    if (p.MinValue != p.MaxValue && (v < p.MinValue || v > p.MaxValue))
        out.append({cmd.CommandName, ParamLabel(k, p) + T(": значение по умолчанию %1 вне %2..%3")
                                                            .arg(d)
                                                            .arg(p.MinValue)
                                                            .arg(p.MaxValue)});
}

void CheckHex(const TDevCommand& cmd, int k, const TCmdParameter& p,
              QVector<TProfileFinding>& out) {
    const QString d = p.DefaultValue.trimmed();
    if (d.isEmpty())
        return;
    bool ok = false;
    const qint64 v = d.toLongLong(&ok, 16);
    if (!ok) {
        out.append({cmd.CommandName,
                    ParamLabel(k, p) + T(": значение по умолчанию %1 не шестнадцатеричное число")
                                           .arg(Quoted(p.DefaultValue))});
        return;
    }
    if (v < p.MinValue || v > p.MaxValue)
        out.append({cmd.CommandName, ParamLabel(k, p) + T(": значение по умолчанию %1 вне %2..%3")
                                                            .arg(d)
                                                            .arg(p.MinValue, 0, 16)
                                                            .arg(p.MaxValue, 0, 16)});
    if (p.MaxLen > 0 && d.size() > p.MaxLen)
        out.append({cmd.CommandName,
                    ParamLabel(k, p) +
                        T(": значение по умолчанию %1 длиннее %2 символов").arg(d).arg(p.MaxLen)});
}

void CheckString(const TDevCommand& cmd, int k, const TCmdParameter& p,
                 QVector<TProfileFinding>& out) {
    if (p.MaxLen > 0 && p.DefaultValue.size() > p.MaxLen)
        out.append(
            {cmd.CommandName, ParamLabel(k, p) + T(": значение по умолчанию %1 длиннее %2 символов")
                                                     .arg(Quoted(p.DefaultValue))
                                                     .arg(p.MaxLen)});
    if (p.OnLeaveMask.isEmpty())
        return;
    const QRegularExpression mask(p.OnLeaveMask);
    if (!mask.isValid()) {
        out.append({cmd.CommandName, ParamLabel(k, p) + T(": маска проверки %1 неверна (%2)")
                                                            .arg(Quoted(p.OnLeaveMask))
                                                            .arg(mask.errorString())});
        return;
    }
    if (!mask.match(p.DefaultValue).hasMatch())
        out.append({cmd.CommandName,
                    ParamLabel(k, p) + T(": значение по умолчанию %1 не проходит маску проверки %2")
                                           .arg(Quoted(p.DefaultValue))
                                           .arg(Quoted(p.OnLeaveMask))});
}

void CheckOption(const TDevCommand& cmd, int k, const TCmdParameter& p,
                 QVector<TProfileFinding>& out) {
    if (p.Options.isEmpty()) {
        out.append({cmd.CommandName, ParamLabel(k, p) + T(": список вариантов пуст")});
        return;
    }
    for (const TCmdOption& o : p.Options)
        if (o.OptionValue == p.DefaultValue)
            return;
    out.append({cmd.CommandName,
                ParamLabel(k, p) + T(": значение по умолчанию %1 не совпадает ни с одним вариантом")
                                       .arg(Quoted(p.DefaultValue))});
}

// The loader reads an unknown or missing type as a string without a word;
// only the text itself still knows.
void CheckTypes(const QByteArray& xml, QVector<TProfileFinding>& out) {
    static const QStringList known = {QStringLiteral("string"), QStringLiteral("hex"),
                                      QStringLiteral("integer"), QStringLiteral("option")};
    TXmlParser parser;
    parser.LoadFromBuffer(xml);
    QString command;
    bool inCommand = false;
    int index = 0;
    while (parser.Scan()) {
        if (parser.CurPartType() != ptStartTag && parser.CurPartType() != ptEmptyTag)
            continue;
        const QString& name = parser.CurName();
        if (name == QLatin1String("page")) {
            inCommand = false;
        } else if (name == QLatin1String("command")) {
            command = parser.CurAttr(QStringLiteral("command"));
            inCommand = true;
            index = 0;
        } else if (name == QLatin1String("parameter") && inCommand) {
            const QString type = parser.CurAttr(QStringLiteral("type"));
            const QString description = parser.CurAttr(QStringLiteral("description"));
            if (!known.contains(type))
                out.append({command, T("параметр %1 %2: неизвестный тип %3, читается как строка")
                                         .arg(index + 1)
                                         .arg(Quoted(description))
                                         .arg(Quoted(type))});
            ++index;
        }
    }
}

} // namespace

QVector<TProfileFinding> CheckProfile(const QByteArray& xml) {
    LoadCommandProfileFromData(xml);
    QVector<TProfileFinding> out;
    if (DevCommands.isEmpty())
        out.append({QString(), T("в профиле нет страниц")});
    QHash<QString, QString> seen; // upper-cased name -> where first met
    for (int page = 0; page < DevCommands.size(); ++page) {
        const TCmdPage& pg = DevCommands[page];
        if (pg.Commands.isEmpty())
            out.append({T("страница %1").arg(Quoted(pg.PageId)),
                        T("на странице %1 нет команд").arg(Quoted(pg.PageName))});
        for (int c = 0; c < pg.Commands.size(); ++c) {
            const TDevCommand& cmd = pg.Commands[c];
            CheckName(cmd, out);
            const QString key = cmd.CommandName.toUpper();
            const QString where = T("страница %1, команда %2").arg(Quoted(pg.PageId)).arg(c + 1);
            if (seen.contains(key))
                out.append(
                    {cmd.CommandName, T("имя встречается дважды (%1 и %2); действует последнее")
                                          .arg(seen.value(key), where)});
            else
                seen.insert(key, where);
            for (int k = 0; k < cmd.Parameters.size(); ++k) {
                const TCmdParameter& p = cmd.Parameters[k];
                switch (p.ParamKind) {
                case pkInteger:
                    CheckInteger(cmd, k, p, out);
                    break;
                case pkHex:
                    CheckHex(cmd, k, p, out);
                    break;
                case pkString:
                    CheckString(cmd, k, p, out);
                    break;
                case pkOption:
                    CheckOption(cmd, k, p, out);
                    break;
                }
            }
        }
    }
    CheckTypes(xml, out);
    return out;
}
