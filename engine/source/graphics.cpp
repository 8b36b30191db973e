#include "graphics.h"

Graphics::Graphics(int, int) : System(SystemId::Graphics)
{
}
