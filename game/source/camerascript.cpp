#include "camerascript.h"
