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

TUnsafeKind UnsafeValueKind(const QString& text) {
    if (FirstControlChar(text) >= 0)
        return ukControl;
    if (text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')))
        return ukSeparator;
    return ukNone;
}

QString UnsafeValueMessage(const TDevCommand& command, int param, TUnsafeKind kind) {
    QString description;
    if (param >= 0 && param < command.Parameters.size())
        description = command.Parameters[param].Description;
    const char* text =
        kind == ukSeparator
            ? QT_TRANSLATE_NOOP("TValueGuard", "Команда %1 не отправлена: значение параметра %2 "
                                               "(%3) содержит запятую или кавычку")
            : QT_TRANSLATE_NOOP("TValueGuard", "Команда %1 не отправлена: значение параметра %2 "
                                               "(%3) содержит управляющий символ");
    return QCoreApplication::translate("TValueGuard", text)
        .arg(command.CommandName)
        .arg(param)
        .arg(description);
}
