#include "clearenemywall.h"
