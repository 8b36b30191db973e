#include "pushtospawner.h"
