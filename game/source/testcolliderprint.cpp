#include "testcolliderprint.h"
