#include "bossdoorscript.h"
