#include "ValueGuard.h"

#include <QCoreApplication>

qsizetype FirstControlChar(const QString& text) {
    constexpr char16_t kDelete = 127;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u' ' || c == kDelete)
            return i;
    }
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
