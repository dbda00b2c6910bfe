#include "base/DeepComponentEnumerator.h"

#include <QObject>
#include <QStringList>
#include <QtTest>

namespace {

QObject* Make(const char* name, QObject* parent) {
    auto* o = new QObject(parent);
    o->setObjectName(QLatin1String(name));
    return o;
}

QStringList Walk(QObject* root) {
    QStringList names;
    TDeepComponentEnumerator e(root);
    while (e.MoveNext())
        names.append(e.Current()->objectName());
    return names;
}

} // namespace

class TestDeepEnumerator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rootWithoutChildrenYieldsNothing() {
        QObject root;
        QVERIFY(Walk(&root).isEmpty());
    }

    void visitsParentsBeforeChildrenInOwnershipOrder() {
        QObject root;
        QObject* a = Make("a", &root);
        Make("a1", Make("a0", a));
        Make("a2", a);
        QObject* b = Make("b", &root);
        Make("b0", b);
        Make("c", &root);
        QCOMPARE(Walk(&root), QStringList({"a", "a0", "a1", "a2", "b", "b0", "c"}));
    }

    void climbsSeveralLevelsAndNeverLeavesTheRoot() {
        QObject top;
        Make("before", &top);
        QObject* root = Make("root", &top);
        Make("after", &top);
        Make("deep", Make("mid", Make("x", root)));
        QCOMPARE(Walk(root), QStringList({"x", "mid", "deep"}));
    }

    // A group box of many rows owns thousands of controls side by side: each
    // step to the next sibling must not search the owner's list again.
    void wideOwnerVisitsEverySiblingOnce() {
        constexpr int kSiblings = 60000;
        QObject root;
        for (int i = 0; i < kSiblings; ++i)
            new QObject(&root);
        Make("leaf", root.children().at(kSiblings / 2));
        TDeepComponentEnumerator e(&root);
        int visited = 0;
        while (e.MoveNext())
            ++visited;
        QCOMPARE(visited, kSiblings + 1);
    }

    void ownerListChangedBeforeCurrentStillFindsNextSibling() {
        QObject root;
        QObject* a = Make("a", &root);
        QObject* b = Make("b", &root);
        QObject* c = Make("c", &root);
        TDeepComponentEnumerator e(&root);
        QVERIFY(e.MoveNext());
        QVERIFY(e.MoveNext());
        QCOMPARE(e.Current(), b);
        delete a; // b moves up one place in the owner's list
        QVERIFY(e.MoveNext());
        QCOMPARE(e.Current(), c);
        QVERIFY(!e.MoveNext());
    }

    void endedWalkStaysEnded() {
        QObject root;
        Make("only", &root);
        TDeepComponentEnumerator e(&root);
        QVERIFY(e.MoveNext());
        QVERIFY(!e.MoveNext());
        QVERIFY(!e.MoveNext());
        QCOMPARE(e.Current(), nullptr);
    }
};

QTEST_APPLESS_MAIN(TestDeepEnumerator)
#include "tst_deepenumerator.moc"
