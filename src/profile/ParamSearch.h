#pragma once

#include "DevCommands.h"

#include <QString>
#include <QVector>

// One place of the command table a search found: a command (Param -1) or
// one of its parameters.
struct TParamMatch {
    int Page = 0;
    int Command = 0;
    int Param = -1;
    bool operator==(const TParamMatch& other) const {
        return Page == other.Page && Command == other.Command && Param == other.Param;
    }
};

// Every command whose name or description contains the text, and every
// parameter whose description does, letter case ignored, in table order (a
// command before its parameters). Blanks around the text do not count; an
// empty text finds nothing.
QVector<TParamMatch> FindParameters(const QVector<TCmdPage>& pages, const QString& text);

// The match after position current, wrapping round to the first; -1 when
// there is none. A current of -1 gives the first.
int NextMatch(int count, int current);
