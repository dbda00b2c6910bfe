#pragma once

#include <QCoreApplication>
#include <QString>

// Code without a QObject of its own has no tr(): a file names the context
// its texts are translated in once and calls that like tr().
// scripts/translation-aliases.py finds these declarations for lupdate.
class TTrContext {
public:
    explicit constexpr TTrContext(const char* context) : FContext(context) {}
    QString operator()(const char* text) const {
        return QCoreApplication::translate(FContext, text);
    }

private:
    const char* FContext;
};

// The link, the pages, configuration files and the tracker operations speak
// in the main window's words: their texts share its context.
inline constexpr TTrContext TrMain("TfmMain");
