#include "testsetdiffusecolor.h"
