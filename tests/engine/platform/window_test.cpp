#include "platform/window.h"

#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>

#define SKIP_WITHOUT_DISPLAY()                                                           \
    if (!std::getenv("DISPLAY"))                                                         \
    GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)"

TEST(Window, ClearsToAColourThatReadsBackAroundSwaps)
{
    SKIP_WITHOUT_DISPLAY();

    platform::Window window("Nektaru test", 1280, 800);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    window.Show();

    GLint major = 0, minor = 0, profile = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &profile);
    EXPECT_GE(major * 10 + minor, 33);
    EXPECT_TRUE(profile & GL_CONTEXT_CORE_PROFILE_BIT);

    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    unsigned char pixel[4] = {};
    // Two rounds: the second shows the buffers still work after a swap.
    for (int round = 0; round < 2; ++round)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        glReadPixels(640, 400, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        window.SwapBuffers();
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(pixel[0], 255);
    EXPECT_NEAR(pixel[1], 128, 1);
    EXPECT_EQ(pixel[2], 0);

    EXPECT_TRUE(window.PumpEvents());
}

TEST(Window, PumpHandsTranslatedEventsToTheHandlerAndReportsQuit)
{
    SKIP_WITHOUT_DISPLAY();
    platform::Window window("Nektaru test", 640, 480);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    std::vector<platform::Event> events;
    window.SetEventHandler([&](const platform::Event& event) { events.push_back(event); });
    window.PumpEvents();
    events.clear();

    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    key.key.keysym.sym = SDLK_w;
    SDL_PushEvent(&key);
    SDL_Event unmapped = key;
    unmapped.key.keysym.sym = SDLK_AUDIOMUTE;
    SDL_PushEvent(&unmapped);
    EXPECT_TRUE(window.PumpEvents());
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, platform::EventType::Key);
    EXPECT_EQ(events[0].key, 'W');

    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_FALSE(window.PumpEvents());
    EXPECT_EQ(events.back().type, platform::EventType::Quit);
}

TEST(Window, CentresTheCursorAndSwitchesToFullscreenAndBack)
{
    SKIP_WITHOUT_DISPLAY();
    platform::Window window("Nektaru test", 640, 480);
    ASSERT_TRUE(window.IsOpen()) << window.Error();
    int width = 0, height = 0;
    window.ClientSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);

    EXPECT_FALSE(window.IsActive());
    window.Show();
    EXPECT_TRUE(window.IsActive()); // with or without a window manager to give it the focus
    window.CentreCursor();
    window.PumpEvents();
    int x = 0, y = 0;
    window.CursorPosition(x, y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);

    EXPECT_TRUE(window.SetFullscreen(true));
    EXPECT_TRUE(window.SetFullscreen(false));
}
