#include "testaddremovescript.h"
