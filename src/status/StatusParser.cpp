#include "StatusParser.h"
