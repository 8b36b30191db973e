#include "meleefeedback.h"
