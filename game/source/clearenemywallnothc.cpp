#include "clearenemywallnothc.h"
