#include "bosschargedprojectile.h"
