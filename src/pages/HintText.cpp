#include "HintText.h"
