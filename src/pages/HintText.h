#pragma once

#include "profile/DevCommands.h"

#include <QString>
