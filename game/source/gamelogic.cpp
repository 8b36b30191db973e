#include "gamelogic.h"
