#include "fadeinfadeout.h"
