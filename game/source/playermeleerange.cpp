#include "playermeleerange.h"
