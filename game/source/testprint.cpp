#include "testprint.h"
