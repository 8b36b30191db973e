#include "ankh.h"
