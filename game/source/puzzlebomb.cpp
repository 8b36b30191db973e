#include "puzzlebomb.h"
