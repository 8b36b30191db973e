#include "gameservices.h"

StapleArguments gServices;
