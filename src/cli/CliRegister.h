#pragma once

#include "register/RegisterLocation.h"

#include <QString>
#include <memory>

class TRegister;
class TRegisterStore;
struct TCliOptions;

// The tracker register a run records into and answers from.
struct TCliRegister {
    // --no-register or [Register] Record=0 (without --register): nothing recorded.
    bool Record = true;
    TRegisterLocation Location;
    // Keeps the events of a shared register while it cannot be reached.
    QString LocalFile;
    int IdentityTimeoutMs = 0;

    // A register of the calling thread (Qt's connections belong to it).
    std::unique_ptr<TRegister> Open() const;
};

// --register, else the settings' [Register] Database=, else the window's own
// file. False with a usage message (never holding a password).
bool ReadRegisterFor(const TCliOptions& options, TCliRegister* reg, QString* error);

// history and show: the register's database to answer from, opened in reg;
// nullptr when it cannot be (the usage error printed).
TRegisterStore* OpenRegisterFor(const TCliOptions& options, std::unique_ptr<TRegister>& reg);
