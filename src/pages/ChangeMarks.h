#pragma once

#include "profile/DevCommands.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QVector>
#include <functional>

class QFrame;
class QLabel;
class QTabWidget;
class QWidget;
class TParamValues;
class TTouchRecorder;

// Marks of changed values on the pages. Every parameter remembers a
// reference value (the last one read from the tracker, loaded from a file or
// written and confirmed); a parameter whose value or switch differs from it
// is marked: its editor tinted with a side bar and a tool tip "было: ...",
// its command's group box with a dot beside the command name, its page's tab
// with a dot icon. Captions stay as they are.
class TChangeMarks : public QObject {
    Q_OBJECT
public:
    using TLocate = std::function<QWidget*(const TCmdAddress& address)>;
    struct TLocators {
        TLocate Editor;
        TLocate Switch;
        TLocate Group; // row and parameter ignored
    };

    TChangeMarks(TParamValues& values, QTabWidget* tabs, TLocators locators, QObject* parent);

    // While a hold lasts, a value's edits only note it; every value noted is
    // compared once as the last hold ends. A file sets all its values at
    // once, and the marks they would raise go again on Confirm.
    class THold {
    public:
        explicit THold(TChangeMarks& marks);
        ~THold();
        THold(const THold&) = delete;
        THold& operator=(const THold&) = delete;

    private:
        TChangeMarks& FMarks;
    };

    // After the pages were built: every value as it stands becomes its
    // reference, every editor and switch is watched, no marks.
    void Attach();
    // What a read, load or write reached: values set become their
    // reference, so do switches set; withSwitches (a confirmed write: the
    // row went out as it stands) takes the switch of every value set too.
    void Confirm(const TTouchRecorder& touched, bool withSwitches);
    // Compares the value shown with the reference and marks accordingly.
    void Refresh(const TCmdAddress& address);

    bool IsMarked(const TCmdAddress& address) const;
    int MarkedCount() const { return int(FMarked.size()); }
    bool CommandMarked(int page, int command) const;
    bool PageMarked(int page) const;
    // The reference as the operator reads it ("" for an unknown address).
    QString ReferenceText(const TCmdAddress& address) const;

    // Grows each time a mark comes or goes and with every edit of a marked value.
    quint64 Generation() const { return FGeneration; }

signals:
    void MarksChanged();

private:
    struct TReference {
        QString Wire;
        bool Enabled = true;
    };
    void Watch(const TCmdAddress& address, QWidget* editor, QWidget* sw);
    void ShowEditorMark(const TCmdAddress& address, bool on);
    void ShowCommandMark(int page, int command, bool on);
    void Release();

    TParamValues& FValues;
    QTabWidget* FTabs;
    TLocators FLocate;
    QHash<quint64, TReference> FReferences;
    QHash<quint64, TCmdAddress> FMarked;
    QHash<quint64, int> FCommandMarks; // (page, command) -> marked parameters
    QVector<int> FPageMarks;
    QHash<quint64, QPointer<QFrame>> FSideBars;
    QHash<quint64, QPointer<QLabel>> FGroupDots;
    quint64 FGeneration = 0;
    int FHolds = 0;
    QVector<TCmdAddress> FHeld; // noted during a hold, in order
    QSet<quint64> FHeldKeys;
};
