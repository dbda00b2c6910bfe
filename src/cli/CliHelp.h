#pragma once

#include <QString>

struct TCliCommand;
struct TCliOption;

// The help texts, made from the command table in the interface language.
QString ToolHelp();
QString CommandHelp(const TCliCommand& command);

// The parts the help, the man page and the completion share.
QString ToolSummary();                        // "read, write, compare and monitor trackers..."
QString RunRules();                           // ports at once, option order, result words
QString ExitStatusText(int exit);             // what an exit status means
QString OptionLeft(const TCliOption& option); // "--out FILE"
