#pragma once

#include "TfmMain.h"
#include "ops/OpsObserver.h"

// The tracker operations' steps on the window's progress bar.
class TProgressObserver : public TOpsObserver {
public:
    explicit TProgressObserver(TfmMain& main) : FMain(main) {}
    void Step(const TOpsStep& step) override {
        if (step.Done == 0)
            FMain.ProgressStart(step.Total);
        FMain.ProgressSetValue(step.Done);
    }

private:
    TfmMain& FMain;
};
