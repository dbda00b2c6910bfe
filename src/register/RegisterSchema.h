#pragma once

#include "RegisterSql.h"

#include <QString>

class QSqlDatabase;

// The schema this program writes. Each version adds one migration step.
constexpr int kRegisterSchemaVersion = 2;

// The version a database holds: 0 for a database without a register, -1
// when it could not be read (error says why).
int RegisterSchemaVersion(QSqlDatabase& db, TSqlDialect dialect, QString& error);

// Creates the register or brings it to kRegisterSchemaVersion, every step in
// order in one transaction (several benches may open a new database at
// once: the first one builds it, the others find it built). A register newer
// than this program is refused and left untouched.
bool PrepareRegisterSchema(QSqlDatabase& db, TSqlDialect dialect, QString& error);
