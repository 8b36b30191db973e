#include "platform/sdlevents.h"

#include "platform/keycodes.h"

#include <SDL2/SDL.h>

namespace platform
{
namespace
{
constexpr int WheelUnitsPerNotch = 120;

bool TranslateWindowEvent(const SDL_WindowEvent& window, Event& event)
{
    switch (window.event)
    {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        event.type = EventType::Activate;
        event.down = window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
        return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        event.type = EventType::Size;
        break;
    case SDL_WINDOWEVENT_MOVED:
        event.type = EventType::Move;
        break;
    default:
        return false;
    }
    event.x = window.data1;
    event.y = window.data2;
    return true;
}

bool TranslateKey(std::uint16_t virtualKey, bool down, Event& event)
{
    event.type = EventType::Key;
    event.key = virtualKey;
    event.down = down;
    return virtualKey != 0;
}
}

bool TranslateEvent(const SDL_Event& sdlEvent, Event& event)
{
    event = Event{};
    switch (sdlEvent.type)
    {
    case SDL_QUIT:
        event.type = EventType::Quit;
        return true;
    case SDL_WINDOWEVENT:
        return TranslateWindowEvent(sdlEvent.window, event);
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return TranslateKey(VirtualKeyFromSdlKey(sdlEvent.key.keysym.sym), sdlEvent.type == SDL_KEYDOWN, event);
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return TranslateKey(VirtualKeyFromSdlButton(sdlEvent.button.button), sdlEvent.type == SDL_MOUSEBUTTONDOWN,
                            event);
    case SDL_MOUSEMOTION:
        // A warp of the cursor arrives as motion without a relative part: not the player's motion.
        event.type = EventType::MouseMotion;
        event.x = sdlEvent.motion.xrel;
        event.y = sdlEvent.motion.yrel;
        return event.x != 0 || event.y != 0;
    case SDL_MOUSEWHEEL:
    {
        const int notches = sdlEvent.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -sdlEvent.wheel.y : sdlEvent.wheel.y;
        event.type = EventType::Wheel;
        event.wheel = notches * WheelUnitsPerNotch;
        return notches != 0;
    }
    default:
        return false;
    }
}
}
