#pragma once

#include <QString>

struct TReadResult;
struct TWriteResult;

// The words velmora-cli prints and the register stores for how an
// operation on one tracker went.
inline const QString kResultOk = QStringLiteral("ok");
inline const QString kResultPartial = QStringLiteral("partial");
inline const QString kResultDiffers = QStringLiteral("differs");
inline const QString kResultNotStored = QStringLiteral("not stored");
inline const QString kResultFailed = QStringLiteral("failed");
inline const QString kResultInterrupted = QStringLiteral("interrupted");
// The installation check found the unit not fit for service.
inline const QString kResultUnfit = QStringLiteral("unfit");

// failed, interrupted, partial (a command not read whole) or ok.
QString ReadResultWord(const TReadResult& read);
// failed, interrupted, differs (a value not taken), partial (not read
// back), not stored (asked and not confirmed) or ok.
QString WriteResultWord(const TWriteResult& write, bool storeAsked);
