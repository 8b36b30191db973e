#pragma once
#include <cstdint>

namespace platform
{
// What the event pump hands to the window procedure, in the engine's own terms.
enum class EventType
{
    Activate,    // down: the window gained (true) or lost (false) the keyboard focus
    Size,        // x, y: the new client width and height
    Move,        // x, y: the new window position
    MouseMotion, // x, y: relative motion since the previous motion event
    Key,         // key: virtual-key code (mouse buttons 1, 2, 4); down: pressed or released
    Wheel,       // wheel: signed, 120 per notch, away from the user positive
    Quit,        // the user asked to close the window
};

struct Event
{
    EventType type = EventType::Quit;
    bool down = false;
    std::uint16_t key = 0;
    int x = 0;
    int y = 0;
    int wheel = 0;
};
}
