#pragma once

// Every generated control carries command << 16 | row << 8 | parameter.
constexpr int kTagMaxRows = 256;
constexpr int kTagMaxParams = 256;
constexpr int kTagMaxCommands = 32767;
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
