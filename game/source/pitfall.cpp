#include "pitfall.h"
