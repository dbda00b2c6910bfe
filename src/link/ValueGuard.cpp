#include "ValueGuard.h"

#include <QCoreApplication>

qsizetype FirstControlChar(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text.at(i).unicode() < u' ')
            return i;
    return -1;
}

QString UnsafeValueMessage(const TDevCommand& command, int param) {
    QString description;
    if (param >= 0 && param < command.Parameters.size())
        description = command.Parameters[param].Description;
    return QCoreApplication::translate(
               "TValueGuard",
               "Команда %1 не отправлена: значение параметра %2 (%3) содержит управляющий символ")
        .arg(command.CommandName)
        .arg(param)
        .arg(description);
}
