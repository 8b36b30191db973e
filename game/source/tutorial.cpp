#include "tutorial.h"
