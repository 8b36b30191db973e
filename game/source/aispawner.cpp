#include "aispawner.h"
