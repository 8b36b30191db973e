#include "cheatcodes.h"
