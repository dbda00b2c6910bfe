#pragma once

#include <QString>

// Who works where: what the records of a bench name as bench and operator.
struct TWorkplace {
    QString Bench;    // the computer's host name
    QString Operator; // the login name of the effective user
};

TWorkplace CurrentWorkplace();

// The login name of the effective user from the password database; $USER
// (then $LOGNAME) only when that has no entry. Safe in any thread.
QString OperatorLoginName();
