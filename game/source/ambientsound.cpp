#include "ambientsound.h"
