#pragma once
#include "script.h"

// Debug toggle of the paused flag.
class SendPause : public Script<SendPause>
{
};
