#include "playerstats.h"
