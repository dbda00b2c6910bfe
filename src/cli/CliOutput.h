#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdio>

// The result of one port. The field names of the JSON lines and of the
// report's CSV columns are fixed: scripts read them.
struct TPortResult {
    QString Port;
    QString Result =
        QStringLiteral("failed"); // ok, partial, differs, not stored, failed, interrupted
    int Commands = 0;             // read or written
    int Mismatches = 0;           // verification or comparison
    double Seconds = 0;
    QString Reason; // why it failed or differs; notes on success
    QString File;   // the configuration file read or written

    bool Succeeded() const { return Result == QLatin1String("ok"); }
};

QString ResultLine(const TPortResult& r);
QJsonObject ResultJson(const TPortResult& r);
QByteArray JsonLine(const QJsonObject& object);
// The CSV report: a header and one row per port, fields quoted where needed.
QByteArray ResultCsv(const QVector<TPortResult>& results);
QString CsvField(const QString& text);

// Writes UTF-8 text to a stream at once (stdout and stderr are shared by the
// port threads and the progress board). A stream whose reader is gone asks
// the run to stop (NoteOutputClosed).
void PutText(std::FILE* stream, const QString& text);

// One live line per port on a terminal, redrawn in place. Off when stderr is
// not a terminal: then nothing but the results appears.
class TProgressBoard {
public:
    explicit TProgressBoard(const QStringList& ports);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool on) { FEnabled = on; }
    // Thread-safe; the next Redraw shows it.
    void Set(int index, const QString& text);
    void Redraw();
    // Removes the board's lines before the results are printed.
    void Clear();

private:
    QMutex FMutex;
    QStringList FPorts;
    QStringList FLines;
    int FDrawn = 0; // lines on the screen
    bool FEnabled = false;
};
