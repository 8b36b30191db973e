#include "level2logic.h"
