#include "scarab.h"
