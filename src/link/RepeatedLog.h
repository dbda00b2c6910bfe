#pragma once

#include <QString>
#include <functional>

// Folds a run of identical log lines: the first is written, the repeats are
// only counted, and the count is written once the text changes or the run is
// settled (the failure has gone). A port that stays missing then costs two
// lines, not one every retry.
class TRepeatedLog {
public:
    using TWrite = std::function<void(const QString&)>;

    explicit TRepeatedLog(TWrite write);

    void Write(const QString& text);
    // The run is over: its count, if anything was swallowed, is written.
    void Settle();

    int Repeats() const { return FRepeats; }

    // "text (повторено N раз)"
    static QString CountLine(const QString& text, int repeats);

private:
    TWrite FWrite;
    QString FLast;
    bool FHaveLast = false;
    int FRepeats = 0;
};
