#pragma once

#include "profile/ParamValues.h"

#include <QString>
#include <QStringList>
#include <QVector>

// The parameter values of one tracker as a plain table over the command
// table, for everything without a window. Values start at the profile's
// defaults (optional parameters switched on, as on fresh pages) and take the same rules as
// configuration loading.
class TParamValueTable : public TParamValues {
public:
    // Sized from DevCommands as loaded now; call Reset() after a reload.
    TParamValueTable();
    void Reset();

    bool HasCommand(int page, int command) const override;
    bool CommandUsable(int page, int command) const override;
    void MarkUnsupported(int page, int command) override;
    bool HasValue(const TCmdAddress& address) const override;
    bool HasSwitch(const TCmdAddress& address) const override;
    bool ParameterEnabled(const TCmdAddress& address) const override;
    void SetParameterEnabled(const TCmdAddress& address, bool on) override;
    QString WireText(const TCmdAddress& address) const override;
    void SetWireText(const TCmdAddress& address, const QString& text) override;
    void SelectOption(const TCmdAddress& address, int option) override;

    // Messages of refused or adjusted values since the last call.
    QStringList TakeMessages();

private:
    struct TValue {
        QString Text;    // text parameters
        int Option = -1; // option parameters
        bool Enabled = false;
    };
    struct TCommandValues {
        bool Unsupported = false;
        QVector<TValue> Values; // row * parameter count + parameter
    };
    const TValue* Find(const TCmdAddress& address) const;
    TValue* Find(const TCmdAddress& address);

    QVector<QVector<TCommandValues>> FPages;
    QStringList FMessages;
};
