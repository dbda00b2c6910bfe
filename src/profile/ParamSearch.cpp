#include "ParamSearch.h"

QVector<TParamMatch> FindParameters(const QVector<TCmdPage>& pages, const QString& text) {
    QVector<TParamMatch> found;
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return found;
    const auto has = [&wanted](const QString& where) {
        return where.contains(wanted, Qt::CaseInsensitive);
    };
    for (int p = 0; p < pages.size(); ++p) {
        const QVector<TDevCommand>& commands = pages[p].Commands;
        for (int c = 0; c < commands.size(); ++c) {
            const TDevCommand& command = commands[c];
            if (has(command.CommandName) || has(command.Description))
                found.append({p, c, -1});
            for (int k = 0; k < command.Parameters.size(); ++k)
                if (has(command.Parameters[k].Description))
                    found.append({p, c, k});
        }
    }
    return found;
}

int NextMatch(int count, int current) {
    if (count <= 0)
        return -1;
    if (current < 0 || current + 1 >= count)
        return 0;
    return current + 1;
}
