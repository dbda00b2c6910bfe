#pragma once

#include "profile/DevCommands.h"

#include <QByteArray>
#include <QString>

// What the loader needs of the parameter pages. Addresses are always within
// the command table: page and command of a known command, row below its row
// count, parameter below its parameter count.
class TConfigLoadSink {
public:
    virtual ~TConfigLoadSink() = default;
    virtual bool HasSwitch(const TCmdAddress& address) = 0;
    virtual void SetSwitch(const TCmdAddress& address, bool on) = 0;
    virtual bool HasEditor(const TCmdAddress& address) = 0;
    virtual void SetEditorText(const TCmdAddress& address, const QString& text) = 0;
    virtual void SelectOption(const TCmdAddress& address, int option) = 0;
    // Search semantics: a match anywhere in the text counts.
    virtual bool MaskMatches(const QString& mask, const QString& text) = 0;
    virtual void Log(const QString& text) = 0;
};

// Walks the XML text of a configuration file against DevCommands, setting
// switches and editors through sink and logging every refused value and
// structural error. False when a structural error stopped the walk (what was
// set before it stays set).
bool LoadConfigurationText(const QByteArray& text, TConfigLoadSink& sink);
