#pragma once

#include "script.h"

// Main menu.
class MainMenu : public Script<MainMenu>
{
};
