#include "breakabledoor.h"
