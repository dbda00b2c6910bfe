#include "CommandTable.h"
#include "cli/CliInputs.h"
#include "cli/CliOutput.h"
#include "cli/CliRunner.h"
#include "cli/CliText.h"
#include "profile/ProfileCheck.h"

#include <QFile>

namespace {

QString Check(const TCliOptions& o) {
    return o.Files.size() > 1 ? TCli::tr("'check-profile' принимает не больше одного файла профиля")
                              : QString();
}

int Run(const TCliOptions& options) {
    const QString path = options.Files.isEmpty() ? DefaultProfilePath() : options.Files.first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return UsageError(
            TCli::tr("не удалось прочитать профиль %1: %2").arg(path, file.errorString()));
    const QVector<TProfileFinding> findings = CheckProfile(file.readAll());
    for (const TProfileFinding& f : findings)
        PutText(stdout, (f.Command.isEmpty() ? QString() : f.Command + QStringLiteral(": ")) +
                            f.Text + QLatin1Char('\n'));
    return findings.isEmpty() ? ceSuccess : ceFailed;
}

} // namespace

TCliCommand CheckProfileCommand() {
    TCliCommand c(
        "check-profile", "check-profile [FILE]",
        QT_TRANSLATE_NOOP(
            "TCli", "Загружает профиль команд так же, как программа, и перечисляет по строке всё, "
                    "что потом навредит его автору. Код выхода 0, когда сказать нечего."));
    c.TakesFiles = true;
    c.Check = Check;
    c.Run = Run;
    return c;
}
