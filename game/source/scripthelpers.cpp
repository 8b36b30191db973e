#include "scripthelpers.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "animatorinterface.h"
#include "assertion.h"
#include "audiointerface.h"
#include "gameservices.h"
#include "inputinterface.h"

namespace
{
constexpr std::uint16_t kEnterKey = 13;
constexpr std::uint16_t kSpaceKey = 32;
constexpr std::uint16_t kLeftMouseKey = 1;
constexpr std::uint32_t kButtonA = 0x1000;

// sin(k°) for k = 0..90, six decimals.
constexpr float kSineTable[91] = {
    0.000000f, 0.017452f, 0.034899f, 0.052336f, 0.069756f, 0.087156f, 0.104528f, 0.121869f, 0.139173f, 0.156434f,
    0.173648f, 0.190809f, 0.207912f, 0.224951f, 0.241922f, 0.258819f, 0.275637f, 0.292372f, 0.309017f, 0.325568f,
    0.342020f, 0.358368f, 0.374607f, 0.390731f, 0.406737f, 0.422618f, 0.438371f, 0.453990f, 0.469472f, 0.484810f,
    0.500000f, 0.515038f, 0.529919f, 0.544639f, 0.559193f, 0.573576f, 0.587785f, 0.601815f, 0.615661f, 0.629320f,
    0.642788f, 0.656059f, 0.669131f, 0.681998f, 0.694658f, 0.707107f, 0.719340f, 0.731354f, 0.743145f, 0.754710f,
    0.766044f, 0.777146f, 0.788011f, 0.798636f, 0.809017f, 0.819152f, 0.829038f, 0.838671f, 0.848048f, 0.857167f,
    0.866025f, 0.874620f, 0.882948f, 0.891007f, 0.898794f, 0.906308f, 0.913545f, 0.920505f, 0.927184f, 0.933580f,
    0.939693f, 0.945519f, 0.951057f, 0.956305f, 0.961262f, 0.965926f, 0.970296f, 0.974370f, 0.978148f, 0.981627f,
    0.984808f, 0.987688f, 0.990268f, 0.992546f, 0.994522f, 0.996195f, 0.997564f, 0.998630f, 0.999391f, 0.999848f,
    1.000000f,
};

// The linear congruential step whose upper bits give 15-bit numbers.
std::uint32_t randomState = static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
} // namespace

bool IsConfirmPressed()
{
    // Nothing was handed over yet: no input at all.
    if (!gServices.input)
        return false;
    InputInterface& input = *gServices.input;
    return input.IsKeyTriggered(kEnterKey) || input.IsKeyTriggered(kSpaceKey) || input.IsKeyTriggered(kLeftMouseKey) ||
           input.IsButtonTriggered(kButtonA);
}

float SinDegrees(int degrees)
{
    int angle = degrees % 360;
    if (angle < 0)
        angle += 360;
    const int quadrant = angle / 90;
    const int rest = angle % 90;
    switch (quadrant)
    {
    case 0: return kSineTable[rest];
    case 1: return kSineTable[90 - rest];
    case 2: return -kSineTable[rest];
    default: return -kSineTable[90 - rest];
    }
}

int Random()
{
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & kRandomMax);
}

void SeedRandom(std::uint32_t seed)
{
    randomState = seed;
}

void PlayAtOrigin(const std::string& sound, float volume)
{
    gServices.audio->PlayOneShot(sound, volume, Vector3());
}

bool AnimationEnded(const AnimatorInterface* animator)
{
    return !animator || animator->GetCurrentFrame() >= animator->GetEndFrame();
}

bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

bool TagHas(const GameObjectInterface& object, std::string_view part)
{
    return Contains(object.GetTag(), part);
}

float DistanceSquared(const Vector3& a, const Vector3& b)
{
    return (a - b).LengthSquared();
}

float FacingYaw(const Vector3& direction, float previousYaw)
{
    if (direction.x == 0.0f && direction.z == 0.0f)
        return previousYaw;
    const Vector3 unit = direction.Normalized();
    float yaw = RadiansToDegrees(std::atan2(unit.z, unit.x));
    if (yaw < 0.0f)
        yaw += 360.0f;
    return yaw - 90.0f;
}

void ReportOnce::operator()(std::string_view message, std::source_location where)
{
    if (std::ranges::find(reported_, message) != reported_.end())
        return;
    reported_.emplace_back(message);
    ReportAssertion(message, where.file_name(), static_cast<int>(where.line()));
}
