// Frames of the shipped levels, drawn at a fixed step and compared exactly with the pictures kept in
// tests/data/frames: the sky, the opaque and blended meshes, the particles and the UI must come out pixel for
// pixel as they did when the pictures were taken. A picture is kept as text: a hash of the whole frame and,
// so that a difference can be placed, one character for each block of 8 x 8 pixels.
//
// NEKTARU_FRAME_PICTURES=<folder> writes the pictures there instead of comparing (how the kept ones were made).
#include "c_particlesystem.h"
#include "camerainterface.h"
#include "graphics.h"
#include "levelrunner.h"
#include "objectfactory.h"
#include "transforminterface.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace
{
constexpr RunnerPicture kPicture{96, 60, 128};
constexpr int kBlock = 8;
// Particles scatter from a seed of their own; a fixed one makes the frame repeat.
constexpr std::uint32_t kParticleSeed = 5;

struct Shot
{
    std::string level;
    int frames;
    // When set, the game camera is put there looking at the point for this picture.
    std::optional<std::pair<Vector3, Vector3>> look;
};

std::uint64_t Hash(const unsigned char* bytes, std::size_t count, std::uint64_t hash = 14695981039346656037ull)
{
    for (std::size_t n = 0; n < count; ++n)
        hash = (hash ^ bytes[n]) * 1099511628211ull;
    return hash;
}

void Look(Graphics& graphics, const Vector3& from, const Vector3& at)
{
    graphics.GetGameCameraTransform()->SetPosition(from);
    graphics.GetGameCameraTransform()->LookAt(at);
    graphics.GetGameCamera()->SetViewDirty(true);
    graphics.PrepareFrame();
}

// The frame's RGB rows from the bottom up, as GL reads them.
std::vector<unsigned char> DrawAndRead(Graphics& graphics)
{
    graphics.DrawFrame(graphics.WindowTarget());
    glFinish();
    std::vector<unsigned char> rgb(static_cast<std::size_t>(kPicture.width) * kPicture.height * 3);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kPicture.width, kPicture.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// "hash <16 hex digits>", then the block characters, top row first.
std::string PictureText(const std::vector<unsigned char>& rgb)
{
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::ostringstream text;
    text << "hash " << std::hex << Hash(rgb.data(), rgb.size()) << "\n";
    const std::size_t row = static_cast<std::size_t>(kPicture.width) * 3;
    for (int top = kPicture.height; top > 0; top -= kBlock)
    {
        for (int left = 0; left < kPicture.width; left += kBlock)
        {
            std::uint64_t hash = 14695981039346656037ull;
            for (int y = std::max(0, top - kBlock); y < top; ++y)
                hash = Hash(&rgb[y * row + left * 3], std::min(kBlock, kPicture.width - left) * 3u, hash);
            text << digits[hash % (sizeof(digits) - 1)];
        }
        text << "\n";
    }
    return text.str();
}

// Every system seeded before every frame, those the scripts spawn included.
void PlayFrames(LevelRunner& runner, int count)
{
    for (int n = 0; n < count; ++n)
    {
        for (GameObject* object : runner.Factory().GetObjects())
            if (auto* particles = static_cast<ParticleSystem*>(object->GetParticleSystem()))
                particles->SeedRandom(kParticleSeed);
        runner.Frames(1);
    }
}

std::string FileName(const Shot& shot)
{
    return shot.level + "-" + std::to_string(shot.frames) + ".txt";
}

class ShippedFrames : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string reason;
        if (!LevelRunner::CanRun(reason))
            GTEST_SKIP() << reason;
    }
};

// The splash's sky, skinned figure, sparks and logo; the menu over its hall; the first tomb's corridor under its
// interface; the boss arena seen through a blended portal.
TEST_F(ShippedFrames, DrawExactlyTheKeptPictures)
{
    const Shot shots[] = {
        {"SplashCalvorn", 30, {}},
        {"MainMenuLevel", 20, {}},
        {"TombLevel1", 40, {}},
        {"TombBoss", 40, {{{-8, 3, -6}, {-20, 1, 8}}}},
    };
    const char* recordTo = std::getenv("NEKTARU_FRAME_PICTURES");
    for (const Shot& shot : shots)
    {
        LevelRunner runner("", shot.level, kPicture);
        Graphics& graphics = *runner.GetCore().GetGraphics();
        PlayFrames(runner, shot.frames);
        if (shot.look)
            Look(graphics, shot.look->first, shot.look->second);
        const std::string actual = PictureText(DrawAndRead(graphics));
        if (recordTo)
        {
            std::ofstream(std::string(recordTo) + "/" + FileName(shot)) << actual;
            continue;
        }
        std::ifstream file(std::string(NEKTARU_TEST_DATA) + "/frames/" + FileName(shot));
        std::stringstream expected;
        expected << file.rdbuf();
        EXPECT_EQ(expected.str(), actual) << FileName(shot);
    }
}

// A playable level starts under its opaque fade, lifted only once the scripts run: no frame before shows the
// level uncovered.
TEST_F(ShippedFrames, EveryPlayableLevelStartsUnderItsCover)
{
    for (const char* level : {"TombLevel1", "TombLevel2", "TombBoss"})
    {
        LevelRunner runner("", level, kPicture);
        for (int frame = 1; frame <= 2; ++frame)
        {
            PlayFrames(runner, 1);
            const std::vector<unsigned char> rgb = DrawAndRead(*runner.GetCore().GetGraphics());
            EXPECT_TRUE(std::ranges::all_of(rgb, [](unsigned char value) { return value == 0; }))
                << level << ", frame " << frame;
        }
    }
}
}
