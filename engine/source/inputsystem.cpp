#include "inputsystem.h"

InputSystem::InputSystem(platform::Window* window) : System(SystemId::Input), window_(window)
{
}
