#include "heart.h"
