#include "pausemenu.h"
