#include "logic.h"

#include <iostream>

Logic::Logic() : System(SystemId::Logic)
{
}

void Logic::Init()
{
    std::cout << "System: Logic \t\t- OK" << std::endl;
}
