#include "DeepComponentEnumerator.h"

TDeepComponentEnumerator::TDeepComponentEnumerator(QObject* root) : FRoot(root) {}

bool TDeepComponentEnumerator::MoveNext() {
    if (!FRoot)
        return false;
    if (!FCurrent) {
        if (FRoot->children().isEmpty())
            return false;
        FCurrent = FRoot->children().first();
        FPath = {0};
        return true;
    }
    if (!FCurrent->children().isEmpty()) {
        FCurrent = FCurrent->children().first();
        FPath.append(0);
        return true;
    }
    QObject* obj = FCurrent;
    while (obj != FRoot && !FPath.isEmpty() && obj->parent()) {
        QObject* owner = obj->parent();
        const QObjectList& list = owner->children();
        qsizetype i = FPath.last();
        // An owner whose list changed under the walk: find the place again.
        if (i >= list.size() || list.at(i) != obj)
            i = list.indexOf(obj);
        if (i >= 0 && i + 1 < list.size()) {
            FPath.last() = i + 1;
            FCurrent = list.at(i + 1);
            return true;
        }
        FPath.removeLast();
        obj = owner;
    }
    FCurrent = nullptr;
    FRoot = nullptr; // the walk is over; further steps yield nothing
    FPath.clear();
    return false;
}
