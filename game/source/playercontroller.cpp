#include "playercontroller.h"
