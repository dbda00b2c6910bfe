#include "RepeatedLog.h"

#include <QCoreApplication>
#include <utility>

TRepeatedLog::TRepeatedLog(TWrite write) : FWrite(std::move(write)) {}

QString TRepeatedLog::CountLine(const QString& text, int repeats) {
    return QCoreApplication::translate("TRepeatedLog", "%1 (повторено %2 раз)")
        .arg(text)
        .arg(repeats);
}

void TRepeatedLog::Write(const QString& text) {
    if (FHaveLast && text == FLast) {
        ++FRepeats;
        return;
    }
    Settle();
    FLast = text;
    FHaveLast = true;
    if (FWrite)
        FWrite(text);
}

void TRepeatedLog::Settle() {
    if (FRepeats > 0 && FWrite)
        FWrite(CountLine(FLast, FRepeats));
    FRepeats = 0;
    FHaveLast = false;
    FLast.clear();
}
