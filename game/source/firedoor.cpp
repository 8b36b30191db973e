#include "firedoor.h"
