#pragma once

#include "status/ReportLayout.h"

#include <QHash>
#include <QString>
#include <QStringList>

// Display texts of the status window's two-valued tables and of the
// translatable server states. Loaded once, when the window is created, so
// that a language module can replace them.
struct TStatusTexts {
    QString ActivityOff, ActivityOn;                          // activity
    QString ContactClosed, ContactOpen;                       // contact
    QString ResultError, ResultOk;                            // result
    QString MotionMoving, MotionStopped;                      // motion
    QString SwitchOff, SwitchOn;                              // switch
    QString FunctionOff, FunctionOn;                          // function
    QString FreezeOff, FreezeOn;                              // freeze
    QString ServerConnecting, ServerClosing, ServerConnected; // server states 6, 7, 8

    QString Activity(bool on) const { return on ? ActivityOn : ActivityOff; }
    QString Contact(bool open) const { return open ? ContactOpen : ContactClosed; }
    QString Result(bool ok) const { return ok ? ResultOk : ResultError; }
    QString Motion(bool stopped) const { return stopped ? MotionStopped : MotionMoving; }
    QString Switch(bool on) const { return on ? SwitchOn : SwitchOff; }
    QString Function(bool on) const { return on ? FunctionOn : FunctionOff; }
    QString Freeze(bool on) const { return on ? FreezeOn : FreezeOff; }
};

// Reads the tables through the translator installed at the moment.
TStatusTexts LoadStatusTexts();

constexpr int kServerStateCount = 10;
// "Домашняя сеть", "Роуминг" or "Нет регистрации" for a registration item.
QString RegistrationText(const QString& item);

// Entry 0..9 of ServerStateNames; empty outside that range.
QString ServerStateName(int index, const TStatusTexts& texts);

// What the status window shows: control name -> text, plus the non-text
// indicators. Fields keep their text until a later report overwrites them.
struct TStatusFields {
    QHash<QString, QString> Texts;
    bool DState[3] = {false, false, false}; // cDState1..cDState3
    bool MemoryOverflow = false;            // lMemoryOverflow shown in red

    QString Text(const QString& control) const { return Texts.value(control); }
};

// What one report changed.
struct TStatusChange {
    QString Report;        // "DPRM" .. "SGSM"; empty: the line was ignored
    QStringList Controls;  // edit boxes written, in table order
    bool States = false;   // cDState1..3 written
    bool Overflow = false; // MemoryOverflow written
    bool Signal = false;   // eGSMStrength written: repaint the indicator
};

// Parses one trimmed report line into fields. Malformed items fall back as
// documented; unknown or short reports change nothing.
TStatusChange ParseStatusReport(const QString& line, const TStatusTexts& texts,
                                TStatusFields& fields);

// A report's latitude and longitude items as the window shows them:
// 5545.1234N -> 55°45.1234'N, 03737.1234E -> 037°37.1234'E.
QString LatitudeText(const QString& item);
QString LongitudeText(const QString& item);

// Helpers with their own rules, shared with tests.
QString FormatUptime(qint64 seconds);
// 1-based insert; a position beyond the end appends, below 1 prepends.
QString InsertAt(const QString& text, const QString& insert, int position);
// used * 100 / size rounded half to even; size must not be 0.
qint64 RoundedPercent(qint64 used, qint64 size);
// Hexadecimal text as a signed 32-bit value ("FFFFFFFF" -> -1); invalid: 0.
qint32 HexToInt32(const QString& text);
// Shortest general form, at most 15 significant digits, with decimalPoint.
QString FormatGeneralFloat(double value, const QString& decimalPoint);
