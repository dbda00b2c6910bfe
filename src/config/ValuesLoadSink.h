#pragma once

#include "ConfigFile.h"
#include "ConfigReader.h"
#include "profile/ParamValues.h"

// The loader's requests, answered by a value store; the loader's messages go
// to the report and are counted.
class TValuesLoadSink : public TConfigLoadSink {
public:
    TValuesLoadSink(TParamValues& values, TConfigReport& report)
        : FValues(values), FReport(report) {}

    bool HasSwitch(const TCmdAddress& a) override { return FValues.HasSwitch(a); }
    void SetSwitch(const TCmdAddress& a, bool on) override { FValues.SetParameterEnabled(a, on); }
    bool HasEditor(const TCmdAddress& a) override { return FValues.HasValue(a); }
    void SetEditorText(const TCmdAddress& a, const QString& text) override {
        FValues.SetWireText(a, text);
    }
    void SelectOption(const TCmdAddress& a, int option) override {
        FValues.SelectOption(a, option);
    }
    bool MaskMatches(const QString& mask, const QString& text) override {
        return FReport.MaskMatches(mask, text);
    }
    void Log(const QString& text) override {
        ++Messages;
        FReport.Log(text);
    }

    int Messages = 0;

private:
    TParamValues& FValues;
    TConfigReport& FReport;
};
