#include "testfastmono.h"
