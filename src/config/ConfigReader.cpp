#include "ConfigReader.h"

#include "ConfigValueRules.h"
#include "base/XmlParser.h"

#include <QCoreApplication>

namespace {

// One walk over one text; every check returns false to stop the loading.
class TConfigWalk {
public:
    explicit TConfigWalk(TConfigLoadSink& sink) : FSink(sink) {}

    bool Run(const QByteArray& text) {
        TXmlParser xml;
        xml.LoadFromBuffer(text);
        QString previous;
        while (xml.Scan()) {
            const TXmlPartKind kind = xml.CurPartType();
            const QString name = xml.CurName();
            const bool examined =
                kind == ptStartTag || kind == ptEmptyTag || kind == ptContent || kind == ptCData;
            if (examined && !Examine(xml, kind, name, previous))
                return false;
            previous = name;
        }
        return true;
    }

private:
    bool Stop(const QString& message) {
        FSink.Log(message);
        return false;
    }

    const TDevCommand& Command() const { return DevCommands[FPage].Commands[FCommand]; }
    TCmdAddress Address() const { return {FPage, FCommand, FRow, FParam}; }

    static qint32 NumberAttr(const TXmlParser& xml, const QString& name) {
        qint32 n = 0;
        if (!ReadConfigDecimal(xml.CurAttr(name), &n))
            n = 0;
        return n;
    }

    bool Examine(const TXmlParser& xml, TXmlPartKind kind, const QString& name,
                 const QString& previous) {
        if (name == QLatin1String("Velmora")) {
            if (!previous.isEmpty())
                return Stop(QCoreApplication::translate("TConfigLoader", "Ошибка в данных 1"));
        } else if (name == QLatin1String("ExportCommandParamenters")) {
            if (previous != QLatin1String("Velmora"))
                return Stop(QCoreApplication::translate("TConfigLoader", "Ошибка в данных 2"));
        } else if (name == QLatin1String("command")) {
            return CommandPart(xml);
        } else if (name == QLatin1String("index")) {
            return IndexPart(xml);
        } else if (name == QLatin1String("parameter")) {
            return kind == ptContent ? ValuePart(xml) : ParameterPart(xml);
        }
        return true;
    }

    bool CommandPart(const TXmlParser& xml) {
        const QString commandName = NormaliseConfigText(xml.CurAttr(QStringLiteral("name")));
        if (commandName.isEmpty())
            return Stop(QCoreApplication::translate("TConfigLoader", "Ошибка в данных 3"));
        const TCmdAddress found = FindCommand(commandName);
        if (!CommandAt(found.Page, found.Command))
            return Stop(QCoreApplication::translate("TConfigLoader", "Команда %1 не найдена")
                            .arg(commandName));
        FPage = found.Page;
        FCommand = found.Command;
        FHaveCommand = true;
        // A new command starts at its first row; a row left over from the
        // previous command could lie beyond this one's rows.
        FRow = 0;
        FParam = 0;
        return true;
    }

    bool IndexPart(const TXmlParser& xml) {
        if (!FHaveCommand)
            return Stop(QCoreApplication::translate("TConfigLoader",
                                                    "Ошибка в данных - элемент вне команды"));
        FRow = NumberAttr(xml, QStringLiteral("index"));
        FParam = 0;
        if (FRow < 0)
            return Stop(QCoreApplication::translate(
                            "TConfigLoader", "Ошибка в данных - отрицательный индекс команды ") +
                        Command().CommandName);
        if (FRow >= Command().RowCount())
            return Stop(QCoreApplication::translate("TConfigLoader",
                                                    "Ошибка в данных - превышен индекс команды ") +
                        Command().CommandName);
        return true;
    }

    bool ParameterPart(const TXmlParser& xml) {
        if (!FHaveCommand)
            return Stop(QCoreApplication::translate("TConfigLoader",
                                                    "Ошибка в данных - элемент вне команды"));
        FParam = NumberAttr(xml, QStringLiteral("index"));
        if (FParam < 0)
            return Stop(
                QCoreApplication::translate(
                    "TConfigLoader", "Ошибка в данных - отрицательный номер параметра команды ") +
                Command().CommandName);
        if (FParam >= Command().Parameters.size())
            return Stop(
                QCoreApplication::translate("TConfigLoader",
                                            "Ошибка в данных - превышен номер параметра команды ") +
                Command().CommandName);
        if (!Command().Parameters[FParam].Optional)
            return true;
        if (!FSink.HasSwitch(Address()))
            return Stop(
                QCoreApplication::translate("TConfigLoader", "Ошибка - не найден выключатель"));
        FSink.SetSwitch(Address(), xml.CurAttr(QStringLiteral("enabled")) != QLatin1String("0"));
        return true;
    }

    bool ValuePart(const TXmlParser& xml) {
        const QString value = NormaliseConfigText(xml.CurContent());
        // Only blanks and control characters: no value, as with plain blanks.
        if (value.isEmpty())
            return true;
        if (!FHaveCommand)
            return Stop(QCoreApplication::translate("TConfigLoader",
                                                    "Ошибка в данных - элемент вне команды"));
        // Text after a stray closing "parameter" tag of a command without
        // parameters carries the name too: there is no editor for it.
        if (FParam >= Command().Parameters.size() || !FSink.HasEditor(Address()))
            return Stop(
                QCoreApplication::translate("TConfigLoader", "Ошибка - не найден элемент ввода"));
        const TCmdParameter& param = Command().Parameters[FParam];
        TConfigValue result;
        switch (param.ParamKind) {
        case pkInteger:
            result = IntegerConfigValue(param, value);
            break;
        case pkString: {
            const bool matches =
                param.OnLeaveMask.isEmpty() || FSink.MaskMatches(param.OnLeaveMask, value);
            result = StringConfigValue(param, value, matches);
            break;
        }
        case pkHex:
            result = HexConfigValue(param, value);
            break;
        case pkOption:
            result = OptionConfigValue(param, value);
            break;
        default:
            return Stop(
                QCoreApplication::translate("TConfigLoader", "Неизвестный тип параметра команды ") +
                Command().CommandName);
        }
        for (const QString& message : std::as_const(result.Messages))
            FSink.Log(message);
        if (param.ParamKind == pkOption) {
            if (result.Option >= 0)
                FSink.SelectOption(Address(), result.Option);
        } else {
            FSink.SetEditorText(Address(), result.Text);
        }
        return true;
    }

    TConfigLoadSink& FSink;
    bool FHaveCommand = false;
    int FPage = -1;
    int FCommand = -1;
    int FRow = 0;
    int FParam = 0;
};

} // namespace

bool LoadConfigurationText(const QByteArray& text, TConfigLoadSink& sink) {
    TConfigWalk walk(sink);
    return walk.Run(text);
}
