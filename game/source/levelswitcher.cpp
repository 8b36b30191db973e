#include "levelswitcher.h"
