#include "firebombbehaviour.h"
