#include "physicssystem.h"

PhysicsSystem::PhysicsSystem() : System(SystemId::Physics)
{
}
