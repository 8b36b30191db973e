#include "puzzlebombtutorial.h"
