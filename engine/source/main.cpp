#include "platform/window.h"

#include <iostream>

int main()
{
    platform::Window window("Nektaru", 1280, 800);
    if (!window.IsOpen())
    {
        std::cerr << "Can't create the window: " << window.Error() << "\n";
        return 1;
    }
    while (window.PumpEvents())
        window.SwapBuffers();
    return 0;
}
