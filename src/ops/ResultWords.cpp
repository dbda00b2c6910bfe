#include "ResultWords.h"

#include "TrackerWrite.h"

QString ReadResultWord(const TReadResult& read) {
    if (read.Interrupted)
        return kResultInterrupted;
    if (read.Failed())
        return kResultFailed;
    return read.Count(rsIncomplete) + read.Count(rsRefused) > 0 ? kResultPartial : kResultOk;
}

QString WriteResultWord(const TWriteResult& write, bool storeAsked) {
    if (write.Interrupted)
        return kResultInterrupted;
    if (write.Failure != wfNone)
        return kResultFailed;
    if (!write.Mismatches.isEmpty())
        return kResultDiffers;
    if (!write.Unverified.isEmpty())
        return kResultPartial;
    if (storeAsked && (!write.StoreTried || write.Store != fsStored))
        return kResultNotStored;
    return kResultOk;
}
