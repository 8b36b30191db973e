#include "confirmpanel.h"
