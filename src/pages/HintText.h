#pragma once

#include "profile/DevCommands.h"

#include <QString>

// The hint of a parameter's editor: the description, CR LF, then what the
// editor accepts ("Число от 1 до 3600"). The words come from the language
// module (context "HintText").
QString ParameterHint(const TCmdParameter& param);

// Only the second part, without the description line.
QString ParameterRuleHint(const TCmdParameter& param);
