#include "icedoor.h"
