#pragma once

#include "config/ConfigInflate.h"
#include "config/ConfigReader.h"
#include "profile/DevCommands.h"
#include "profile/ProfileLoader.h"

#include <QBuffer>
#include <QRegularExpression>

// Shared by the configuration targets: the shipped profile as the command
// table, and a sink that checks every address the loader hands over.
inline void LoadFuzzProfileOnce() {
    static const bool loaded = [] {
        LoadCommandProfile(QStringLiteral(VELMORA_SOURCE_DIR "/data/cmdprofile.xml"));
        if (DevCommands.isEmpty())
            __builtin_trap();
        return true;
    }();
    (void)loaded;
}

class TFuzzConfigSink : public TConfigLoadSink {
public:
    bool HasSwitch(const TCmdAddress& a) override { return Check(a).Optional; }
    void SetSwitch(const TCmdAddress& a, bool) override { Check(a); }
    bool HasEditor(const TCmdAddress& a) override {
        Check(a);
        return true;
    }
    void SetEditorText(const TCmdAddress& a, const QString& text) override {
        Check(a);
        FCharacters += text.size();
    }
    void SelectOption(const TCmdAddress& a, int option) override {
        const TCmdParameter& p = Check(a);
        if (option < -1 || option >= p.Options.size())
            __builtin_trap();
    }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return QRegularExpression(mask).match(text).hasMatch();
    }
    void Log(const QString& text) override {
        if (text.isEmpty())
            __builtin_trap();
        ++FMessages;
    }

private:
    // The loader promises addresses inside the table.
    static const TCmdParameter& Check(const TCmdAddress& a) {
        if (a.Page < 0 || a.Page >= DevCommands.size())
            __builtin_trap();
        const TCmdPage& page = DevCommands[a.Page];
        if (a.Command < 0 || a.Command >= page.Commands.size())
            __builtin_trap();
        const TDevCommand& cmd = page.Commands[a.Command];
        if (a.Row < 0 || a.Row >= cmd.RowCount() || a.Param < 0 || a.Param >= cmd.Parameters.size())
            __builtin_trap();
        return cmd.Parameters[a.Param];
    }

    qsizetype FCharacters = 0;
    int FMessages = 0;
};

// The whole load path after the file is opened: inflate, then walk.
inline void LoadFuzzConfiguration(const QByteArray& stream) {
    QBuffer in;
    in.setData(stream);
    in.open(QIODevice::ReadOnly);
    const TConfigInflateResult r = InflateConfiguration(in);
    if (r.Text.size() > kConfigMaxTextSize)
        __builtin_trap();
    if (r.Status != isComplete)
        return;
    TFuzzConfigSink sink;
    LoadConfigurationText(r.Text, sink);
}
