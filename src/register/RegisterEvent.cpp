#include "RegisterEvent.h"

namespace {
constexpr const char* kActionWords[] = {"read", "backup", "write", "store", "restore"};
} // namespace

QString ActionWord(TRegisterAction action) {
    return QString::fromLatin1(kActionWords[int(action)]);
}

bool ActionFromWord(const QString& word, TRegisterAction& action) {
    for (int i = 0; i < int(std::size(kActionWords)); ++i)
        if (word == QLatin1String(kActionWords[i])) {
            action = TRegisterAction(i);
            return true;
        }
    return false;
}
