#include "checkpoint.h"
