#include "seg3door.h"
