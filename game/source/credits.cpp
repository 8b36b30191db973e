#include "credits.h"
