#include "aicontroller.h"

AIController::AIController() : System(SystemId::AI)
{
}
