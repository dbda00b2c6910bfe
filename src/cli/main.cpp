// velmora-cli: the batch and headless front end on the program's link,
// value and file code.

#include "CliOptions.h"
#include "CliOutput.h"
#include "CliPorts.h"
#include "CliRunner.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cli"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    const TCliParse parsed = ParseCliArguments(arguments);
    if (!parsed.Run) {
        PutText(parsed.Exit == ceSuccess ? stdout : stderr, parsed.Text);
        return parsed.Exit;
    }
    const TCliOptions& o = parsed.Options;
    switch (o.Command) {
    case ccPorts:
        return RunPorts(o.Json);
    case ccCheckProfile:
        return RunCheckProfile(o);
    case ccDiff:
        if (o.Ports.isEmpty())
            return RunFileDiff(o);
        return RunTrackers(o);
    case ccRead:
    case ccWrite:
    case ccStatus:
        return RunTrackers(o);
    case ccNone:
        break;
    }
    return ceUsage;
}
