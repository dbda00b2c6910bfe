#include "ConfigFormat.h"
