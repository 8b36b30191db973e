#include "testplayeranimation.h"
