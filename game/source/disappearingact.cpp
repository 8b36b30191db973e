#include "disappearingact.h"
