#include "mainmenu.h"
