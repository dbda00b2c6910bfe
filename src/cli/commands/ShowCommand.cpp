#include "CommandTable.h"
#include "cli/CliOutput.h"
#include "cli/CliRegister.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "register/Register.h"

#include <QSaveFile>

namespace {

qint64 EventOf(const TCliOptions& o) {
    return o.Files.size() == 1 ? o.Files.first().toLongLong() : 0;
}

QString Check(const TCliOptions& o) {
    if (EventOf(o) <= 0)
        return TCli::tr("'show' требует номер события");
    if (o.IsSet("before") && o.IsSet("after"))
        return TCli::tr("--before и --after вместе не задаются");
    return QString();
}

void PutError(const QString& text) {
    PutText(stderr, QStringLiteral("velmora-cli: ") + text + QLatin1Char('\n'));
}

int Run(const TCliOptions& options) {
    std::unique_ptr<TRegister> reg;
    TRegisterStore* store = OpenRegisterFor(options, reg);
    if (!store)
        return ceUsage;
    const qint64 number = EventOf(options);
    const bool after = options.IsSet("after");
    QByteArray bytes;
    if (!store->Snapshot(number, after, bytes)) {
        PutError(store->Error());
        return ceFailed;
    }
    if (bytes.isEmpty()) {
        PutError(after ? TCli::tr("у события %1 нет значений после него").arg(number)
                       : TCli::tr("у события %1 нет значений до него").arg(number));
        return ceFailed;
    }
    const QString out = options.Value("out");
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        PutError(TCli::tr("не удалось записать %1: %2").arg(out, file.errorString()));
        return ceFailed;
    }
    return ceSuccess;
}

} // namespace

TCliCommand ShowCommand() {
    TCliCommand c(
        "show", "show EVENT [--before|--after] --out FILE.zxml",
        QT_TRANSLATE_NOOP("TCli", "Сохраняет значения трекера до события (по умолчанию) или после "
                                  "него из журнала трекеров в файл конфигурации."));
    c.Options = {SwitchOption("before", QT_TRANSLATE_NOOP("TCli", "Значения до события.")),
                 SwitchOption("after", QT_TRANSLATE_NOOP("TCli", "Значения после события.")),
                 ValueOption("out", "FILE.zxml",
                             QT_TRANSLATE_NOOP("TCli", "Файл конфигурации для записи."), akFile,
                             true),
                 RegisterOption()};
    c.Check = Check;
    c.Run = Run;
    return c;
}
