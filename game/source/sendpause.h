#pragma once
#include "script.h"

// Debug toggle of the paused flag on Escape.
class SendPause : public Script<SendPause>
{
public:
    void Update() override;
};
