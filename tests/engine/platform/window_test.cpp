#include "platform/window.h"

#include <GL/glew.h>
#include <cstdlib>
#include <gtest/gtest.h>

TEST(Window, ClearsToAColourThatReadsBackAroundSwaps)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";

    platform::Window window("Nektaru test", 1280, 800);
    ASSERT_TRUE(window.IsOpen()) << window.Error();

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
