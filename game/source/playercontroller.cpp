#include "playercontroller.h"

void PlayerController::TakeDamage()
{
}
