#pragma once

#include "profile/DevCommands.h"

// Every generated control carries command << 16 | row << 8 | parameter; the
// limits of that code are the command table's (kTagMax*).
// The dynamic property that holds a generated control's Tag.
constexpr char kTagProperty[] = "Tag";

constexpr int MakeTag(int command, int row, int param) {
    return (command << 16) | ((row & 0xFF) << 8) | (param & 0xFF);
}

struct TTagParts {
    int Command;
    int Row;
    int Param;
};

constexpr TTagParts SplitTag(int tag) {
    return {tag >> 16, (tag >> 8) & 0xFF, tag & 0xFF};
}
