#include "DevCommands.h"

QVector<TCmdPage> DevCommands;

TCmdAddress FindCommand(const QString&) {
    TCmdAddress a;
    a.Page = -1;
    return a;
}
void ClearCommandIndex() {}
void AddCommandIndex(const QString&, int, int) {}
QString PollProcessorDefault(const QString&) { return {}; }
void RegisterPollProcessor(const QString&, TPollProcessor) {}
TPollProcessor FindPollProcessor(const QString&) { return {}; }
void ClearPollProcessors() {}
