#pragma once
#include "TorvaneMath.h"

#include <gtest/gtest.h>

// Component-wise closeness, for results of float arithmetic.
inline void ExpectNear(const Vector3& actual, const Vector3& expected, const char* what, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}
