#include "Langs.h"

QString SetInterfaceLanguage(int localeId) {
    Q_UNUSED(localeId);
    return QString();
}
