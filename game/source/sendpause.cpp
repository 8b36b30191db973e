#include "sendpause.h"
