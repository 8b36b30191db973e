#include "assertion.h"

#include <gtest/gtest.h>

TEST(Assertion, WritesMessageFileAndLineAndGoesOn)
{
    testing::internal::CaptureStderr();
    ASSERT(1 + 1 == 3, "Matrix3 - Index out of range.");
    const int line = __LINE__ - 1;
    ASSERT(true, "never shown");
    const std::string written = testing::internal::GetCapturedStderr();
    EXPECT_EQ(written, "\n\tASSERT\n\tMatrix3 - Index out of range.\n\t" + std::string(__FILE__) + "::" +
                           std::to_string(line) + "\n");
}

TEST(Assertion, NoDebuggerUnderTheTestRunner)
{
    EXPECT_FALSE(IsDebuggerAttached());
}
