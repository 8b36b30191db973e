#include "testparent.h"
