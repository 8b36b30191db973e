#pragma once
#include "gameobjectinterface.h"

// A fresh object id: a running 16-bit counter in bits 0-15, the time in seconds in bits 16-47 (sign-extended
// above), 16 random bits in 48-63. Ids made in one second differ in the counter.
ObjectId GenerateObjectId();
