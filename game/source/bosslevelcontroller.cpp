#include "bosslevelcontroller.h"
