#pragma once

#include "script.h"

// Third-person camera following the player, with camera shake.
class CameraScript : public Script<CameraScript>
{
};
