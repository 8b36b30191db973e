#include "testplayerpref.h"
