#pragma once

#include "check/CheckSettings.h"
#include "check/StatusReading.h"
#include "status/StatusParser.h"

#include <QString>
#include <QStringList>
#include <QVector>

enum TCriterionState { csWaiting, csPassed, csFailed, csOff };

struct TCriterionResult {
    TCriterion Id = ckSelfTest;
    TCriterionState State = csWaiting;
    QString Value; // what decided the state, for people
};

struct TCheckVerdict {
    bool Passed = false;
    QStringList Reasons; // "criterion: state (value)" for each that does not hold
};

// "Проверка установки": the criteria judged live from the status reports.
// Time is the caller's: every reading comes with its milliseconds on one
// clock, so a test runs half an hour of reports in no time.
//
// A criterion is "норма" when the reports meet it, "не норма" when the latest
// report contradicts it, "ожидание" while there is no report yet or the
// condition holds but not yet long enough (fix hold, memory window) or the
// event has not come (ignition seen on and then off; once seen, it holds).
class TInstallCheck {
public:
    explicit TInstallCheck(const TCheckSettings& settings = TCheckSettings());

    const TCheckSettings& Settings() const { return FSettings; }
    // Starts over: every criterion waits again; the identity and the last
    // position are kept.
    void Restart();
    void Add(const TStatusReading& reading, qint64 ms);

    TCriterionResult Result(TCriterion criterion) const;
    QVector<TCriterionResult> Results() const;
    // Every enabled criterion holds: the check may end.
    bool AllHold() const { return Verdict().Passed; }
    TCheckVerdict Verdict() const;

    const TUnitIdentity& Identity() const { return FIdentity; }
    // The last reported position with a fix; HasPosition() false when none.
    const TNavigation& LastPosition() const { return FPosition; }
    // Milliseconds of the first and the latest reading since the start; -1
    // before the first.
    qint64 StartMs() const { return FStartMs; }
    qint64 LastMs() const { return FLastMs; }

private:
    TCriterionResult SelfTestResult() const;
    TCriterionResult NavigationResult() const;
    TCriterionResult GsmResult() const;
    TCriterionResult PowerResult() const;
    TCriterionResult IgnitionResult() const;
    TCriterionResult MemoryResult() const;

    TCheckSettings FSettings;
    TStatusTexts FTexts;
    TUnitIdentity FIdentity;
    TNavigation FPosition;
    qint64 FStartMs = -1;
    qint64 FLastMs = -1;

    bool FSelfTestSeen = false;
    TSelfTest FSelfTest;
    bool FNavSeen = false;
    TNavigation FNav;
    qint64 FNavMs = -1;
    qint64 FFixSinceMs = -1; // start of the current run of good fixes
    bool FGsmSeen = false;
    TGsm FGsm;
    int FSignal = -1; // the last known level
    bool FSensorsSeen = false;
    TSensors FSensors;
    bool FIgnitionOnSeen = false;
    bool FIgnitionCycled = false; // on, then off
    qint64 FFirstSlots = -1;
    qint64 FFirstSlotsMs = -1;
    qint64 FSlots = -1;
    qint64 FSlotsMs = -1;
    qint64 FMostSlots = -1;
    bool FSlotsFell = false;
};

QString CriterionName(TCriterion criterion);
QString CriterionStateText(TCriterionState state);
// "Годен" / "Не годен".
QString VerdictText(bool passed);
