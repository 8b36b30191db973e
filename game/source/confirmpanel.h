#pragma once

#include "script.h"

// Confirmation panel of the menus.
class ConfirmPanel : public Script<ConfirmPanel>
{
};
