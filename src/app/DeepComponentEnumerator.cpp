#include "DeepComponentEnumerator.h"

namespace {

QObject* NextSibling(QObject* obj) {
    QObject* owner = obj->parent();
    if (!owner)
        return nullptr;
    const QObjectList& list = owner->children();
    const qsizetype i = list.indexOf(obj);
    if (i < 0 || i + 1 >= list.size())
        return nullptr;
    return list.at(i + 1);
}

} // namespace

TDeepComponentEnumerator::TDeepComponentEnumerator(QObject* root) : FRoot(root) {}

bool TDeepComponentEnumerator::MoveNext() {
    if (!FRoot)
        return false;
    if (!FCurrent) {
        if (FRoot->children().isEmpty())
            return false;
        FCurrent = FRoot->children().first();
        return true;
    }
    if (!FCurrent->children().isEmpty()) {
        FCurrent = FCurrent->children().first();
        return true;
    }
    for (QObject* obj = FCurrent; obj && obj != FRoot; obj = obj->parent()) {
        if (QObject* next = NextSibling(obj)) {
            FCurrent = next;
            return true;
        }
    }
    FCurrent = nullptr;
    FRoot = nullptr; // the walk is over; further steps yield nothing
    return false;
}
