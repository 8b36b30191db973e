#include "iceprojectile.h"
