#pragma once
// Tests that need a GL context share one small hidden window; without a display they skip.
#include "platform/window.h"

#include <GL/glew.h>
#include <cstdlib>
#include <gtest/gtest.h>

class GLContextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
        // Kept until the process ends: closing it unloads the driver, and the leak check at exit could then
        // no longer tell the driver's own caches (suppressed by library name) from ours.
        static platform::Window* window = new platform::Window("Nektaru test", 64, 64);
        ASSERT_TRUE(window->IsOpen()) << window->Error();
        ASSERT_TRUE(window->MakeCurrent());
        // Errors left by an earlier test are not this test's.
        while (glGetError() != GL_NO_ERROR)
        {
        }
    }

    static GLenum Error() { return glGetError(); }
};
