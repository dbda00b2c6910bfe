#include "RegisterSnapshot.h"

#include "config/ConfigFile.h"
#include "config/ValueDiff.h"
#include "profile/DevCommands.h"

#include <QBuffer>

namespace {

// Keeps the first message: what made a snapshot unusable.
class TSnapshotReport : public TConfigReport {
public:
    void Log(const QString& text) override {
        if (First.isEmpty())
            First = text;
    }
    QString First;
};

} // namespace

QByteArray SnapshotOf(const TParamValues& values) {
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TSnapshotReport report;
    if (!SaveConfiguration(values, out, report).Ok())
        return {};
    return out.data();
}

bool LoadSnapshot(const QByteArray& bytes, TParamValues& values, QString& error) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    TSnapshotReport report;
    const TConfigFileResult r = LoadConfiguration(in, values, report);
    if (r.Ok())
        return true;
    error = r.Error.isEmpty() ? report.First : r.Error;
    return false;
}

QVector<TRegisterChange> ChangedValues(const TParamValues& before, const TParamValues& after) {
    QVector<TRegisterChange> changes;
    for (const TValueDiffRow& row : CompareValues(before, after, dsCompare).Rows) {
        const TDevCommand* cmd = CommandAt(row.Address);
        const TCmdParameter* param = ParameterAt(row.Address);
        if (!cmd || !param)
            continue;
        changes.append({cmd->CommandName, row.Address.Row, row.Address.Param, param->Description,
                        row.PageValue, row.OtherValue});
    }
    return changes;
}
