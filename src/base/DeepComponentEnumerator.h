#pragma once

#include <QObject>
#include <QVector>

// Depth-first walk over everything root owns, parents before children,
// siblings in ownership order. The root itself is never visited.
class TDeepComponentEnumerator {
public:
    explicit TDeepComponentEnumerator(QObject* root);
    // Steps to the next component; false when the walk is over.
    bool MoveNext();
    QObject* Current() const { return FCurrent; }

private:
    QObject* FRoot;
    QObject* FCurrent = nullptr;
    // Position of each component on the way down from the root in its
    // owner's list, so a step to the next sibling costs no search.
    QVector<qsizetype> FPath;
};
