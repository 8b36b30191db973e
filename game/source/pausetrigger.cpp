#include "pausetrigger.h"
