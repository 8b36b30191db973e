#pragma once

#include "script.h"

// Screen fade in and out.
class FadeInFadeOut : public Script<FadeInFadeOut>
{
};
