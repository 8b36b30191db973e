#pragma once
// Tests that need a GL context share one small hidden window per test suite; without a display they skip.
#include "platform/window.h"

#include <GL/glew.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

class GLContextTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        if (std::getenv("DISPLAY"))
            window_ = std::make_unique<platform::Window>("Nektaru test", 64, 64);
    }
    static void TearDownTestSuite() { window_.reset(); }

    void SetUp() override
    {
        if (!window_)
            GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
        ASSERT_TRUE(window_->IsOpen()) << window_->Error();
        // Errors left by an earlier test are not this test's.
        while (glGetError() != GL_NO_ERROR)
        {
        }
    }

    static GLenum Error() { return glGetError(); }

    static inline std::unique_ptr<platform::Window> window_;
};
