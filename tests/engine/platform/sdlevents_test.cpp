#include "platform/sdlevents.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

namespace
{
using platform::EventType;

SDL_Event WindowEvent(SDL_WindowEventID id, int data1 = 0, int data2 = 0)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event KeyEvent(Uint32 type, SDL_Keycode key)
{
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    return e;
}

SDL_Event ButtonEvent(Uint32 type, Uint8 button)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    return e;
}

SDL_Event MotionEvent(int xrel, int yrel)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.xrel = xrel;
    e.motion.yrel = yrel;
    return e;
}

SDL_Event WheelEvent(int y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL)
{
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.direction = direction;
    return e;
}

SDL_Event OfType(Uint32 type)
{
    SDL_Event e{};
    e.type = type;
    return e;
}
}

TEST(EventTranslation, TurnsSdlEventsIntoWindowProcedureRecords)
{
    const struct
    {
        const char* what;
        SDL_Event sdl;
        EventType type;
        bool down;
        int key, x, y, wheel;
    } cases[] = {
        {"quit", OfType(SDL_QUIT), EventType::Quit, false, 0, 0, 0, 0},
        {"focus gained", WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), EventType::Activate, true, 0, 0, 0, 0},
        {"focus lost", WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), EventType::Activate, false, 0, 0, 0, 0},
        {"size", WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 1024, 600), EventType::Size, false, 0, 1024, 600, 0},
        {"move", WindowEvent(SDL_WINDOWEVENT_MOVED, 10, 20), EventType::Move, false, 0, 10, 20, 0},
        {"key down", KeyEvent(SDL_KEYDOWN, SDLK_d), EventType::Key, true, 'D', 0, 0, 0},
        {"key up", KeyEvent(SDL_KEYUP, SDLK_RSHIFT), EventType::Key, false, 16, 0, 0, 0},
        {"left down", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT), EventType::Key, true, 1, 0, 0, 0},
        {"middle up", ButtonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE), EventType::Key, false, 4, 0, 0, 0},
        {"motion", MotionEvent(-3, 7), EventType::MouseMotion, false, 0, -3, 7, 0},
        {"wheel away", WheelEvent(1), EventType::Wheel, false, 0, 0, 0, 120},
        {"wheel toward, two notches", WheelEvent(-2), EventType::Wheel, false, 0, 0, 0, -240},
        {"flipped wheel", WheelEvent(1, SDL_MOUSEWHEEL_FLIPPED), EventType::Wheel, false, 0, 0, 0, -120},
    };
    for (const auto& c : cases)
    {
        platform::Event event;
        ASSERT_TRUE(platform::TranslateEvent(c.sdl, event)) << c.what;
        EXPECT_EQ(event.type, c.type) << c.what;
        EXPECT_EQ(event.down, c.down) << c.what;
        EXPECT_EQ(event.key, c.key) << c.what;
        EXPECT_EQ(event.x, c.x) << c.what;
        EXPECT_EQ(event.y, c.y) << c.what;
        EXPECT_EQ(event.wheel, c.wheel) << c.what;
    }
}

TEST(EventTranslation, DropsWhatTheEngineDoesNotHandle)
{
    const struct
    {
        const char* what;
        SDL_Event sdl;
    } cases[] = {
        {"unmapped key", KeyEvent(SDL_KEYDOWN, SDLK_AUDIOPLAY)},
        {"extra mouse button", ButtonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1)},
        {"cursor warp echo", MotionEvent(0, 0)},
        {"horizontal wheel only", WheelEvent(0)},
        {"window exposed", WindowEvent(SDL_WINDOWEVENT_EXPOSED)},
        {"text input", OfType(SDL_TEXTINPUT)},
        {"controller added", OfType(SDL_CONTROLLERDEVICEADDED)},
    };
    for (const auto& c : cases)
    {
        platform::Event event;
        EXPECT_FALSE(platform::TranslateEvent(c.sdl, event)) << c.what;
    }
}
