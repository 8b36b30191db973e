#include "cutscenebombtrigger.h"
