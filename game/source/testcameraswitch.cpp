#include "testcameraswitch.h"
