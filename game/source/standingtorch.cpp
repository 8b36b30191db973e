#include "standingtorch.h"
