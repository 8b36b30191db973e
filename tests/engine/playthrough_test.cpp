// The whole game, played as a player plays it, by the program's own start-up on a copy of the built tree: from the
// splash through the menus, the three tomb levels and the four cutscenes to the rolling credits and back, then quit
// from the menu. No shortcut is sent. In the levels the player is steered every frame toward the next place of a
// route named by the level's objects: the direction is turned into the game camera's frame and held on the movement
// keys, with attacks and blinks where the route needs them. Frames run at a fixed 1/60 s and the scripts' random
// draws start from one seed, so a run repeats; a press is one frame down, presses six frames apart.
#include "audiosystem.h"
#include "c_image.h"
#include "camerainterface.h"
#include "colliderinterface.h"
#include "core.h"
#include "fixedsteps.h"
#include "gameobjectinterface.h"
#include "graphics.h"
#include "imageinterface.h"
#include "inputsystem.h"
#include "levelrunner.h"
#include "lightinterface.h"
#include "logic.h"
#include "meshfilterinterface.h"
#include "objectfactory.h"
#include "platform/dynamiclibrary.h"
#include "privatedisplay.h"
#include "program.h"
#include "tempfolder.h"
#include "transforminterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

namespace
{
namespace fs = std::filesystem;

constexpr int kSecond = 60;
constexpr std::uint16_t kEnter = 13, kEscape = 27, kShift = 16, kMouseLeft = 1;
constexpr std::uint16_t kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr std::uint16_t kW = 87, kA = 65, kS = 83, kD = 68;
constexpr int kWidth = 160, kHeight = 100;
constexpr std::uint32_t kSeed = 41;

Vector3 Flat(Vector3 v)
{
    v.y = 0.0f;
    return v;
}

float FlatDistance(const Vector3& a, const Vector3& b)
{
    return Flat(a - b).Length();
}

GameObject* Find(const std::string& name)
{
    return gFactory ? gFactory->FindObject(name) : nullptr;
}

bool Gone(const std::string& name)
{
    return Find(name) == nullptr;
}

// Where the route goes next: a place worked out anew every frame from the level as it stands.
using Place = std::function<Vector3()>;

// Drives the program one fixed frame at a time and watches what it shows.
class Player
{
public:
    Player(Core& core, const PrivateDisplay& display) : core_(core), input_(*core.GetInput()), display_(display) {}

    void Frame()
    {
        RunFixedSteps(core_, 1);
        ++frames_;
        const std::string level = Level();
        if (level != lastLevel_)
        {
            lastLevel_ = level;
            levels.push_back(level);
            loadedAt_ = frames_;
        }
        // A frame some time after each load shows the level, not one flat colour.
        if (frames_ - loadedAt_ == kSecond * 3 / 2)
        {
            EXPECT_FALSE(FrameIsOneColour()) << level;
        }
    }
    void Frames(int count)
    {
        for (int n = 0; n < count && core_.IsRunning(); ++n)
            Frame();
    }
    void Hold(std::uint16_t key, bool down) { input_.SetKey(key, down); }
    // Down for one frame, then five frames up.
    void Press(std::uint16_t key, int times = 1)
    {
        for (int n = 0; n < times; ++n)
        {
            Hold(key, true);
            Frame();
            Hold(key, false);
            Frames(5);
        }
    }
    // Runs frames until the condition holds, at most limit frames; whether it held.
    bool Until(const std::function<bool()>& condition, int limit)
    {
        for (int n = 0; n < limit && core_.IsRunning(); ++n)
        {
            if (condition())
                return true;
            Frame();
        }
        return condition();
    }
    bool UntilLevel(const std::string& level, int limit)
    {
        return Until([&] { return Level() == level; }, limit);
    }
    // Presses key until the level loads, at most times presses; the presses it took.
    int PressUntilLevel(std::uint16_t key, const std::string& level, int times)
    {
        int presses = 0;
        while (Level() != level && presses < times && core_.IsRunning())
        {
            Press(key);
            ++presses;
        }
        return UntilLevel(level, 2 * kSecond) ? presses : -1;
    }
    std::string Level() const { return gFactory ? gFactory->GetLevelName() : std::string(); }
    std::string GameCamera() const
    {
        const CameraInterface* camera = core_.GetGraphics()->GetGameCamera();
        return camera ? camera->GetGameObject()->GetName() : std::string();
    }
    int FramesRun() const { return frames_; }

    // What the level holds now.
    static GameObject* Object(const std::string& name) { return Find(name); }
    static std::vector<GameObject*> Objects(const std::string& name)
    {
        std::vector<GameObject*> found;
        for (GameObject* object : gFactory->GetObjects())
            if (object->GetName() == name && !object->IsDestroyed())
                found.push_back(object);
        return found;
    }
    static Vector3 Where(const GameObject& object) { return object.GetTransform()->GetPosition(); }
    static Vector3 Me() { return Where(*Object("Player")); }
    // A place by an object of the level, offset in the world's axes.
    static Place At(const std::string& name, const Vector3& offset = {})
    {
        return [name, offset] {
            const GameObject* object = Object(name);
            EXPECT_NE(object, nullptr) << name;
            return object ? Where(*object) + offset : Me();
        };
    }

    // Moves toward the place each frame until the player stands within reach of it (on the ground, seen from
    // above); cutscenes on the way are clicked through. Whether it got there within the limit.
    bool GoTo(const Place& place, float reach, int limit)
    {
        return Steered([&] { return place(); }, [&] { return FlatDistance(place(), Me()) < reach; }, limit);
    }
    // Steers toward where() each frame until done() holds; whether it did within the limit and the level.
    bool Steered(const Place& where, const std::function<bool()>& done, int limit)
    {
        const std::string level = Level();
        Vector3 last;
        int sidestep = 0;
        for (int n = 0; n < limit && core_.IsRunning() && Level() == level; ++n)
        {
            if (!SkippingCutscene() && Object("Player"))
            {
                if (done())
                {
                    Steer({});
                    return true;
                }
                // Held on a corner for half a second: a few frames square to the way, to one side then the other.
                if (n % 30 == 0)
                {
                    if (n > 0 && FlatDistance(Me(), last) < 0.1f)
                        sidestep = (n / 30 % 2 ? 15 : -15);
                    last = Me();
                }
                Vector3 way = Flat(where() - Me());
                if (sidestep != 0)
                {
                    way = sidestep > 0 ? Vector3{way.z, 0.0f, -way.x} : Vector3{-way.z, 0.0f, way.x};
                    sidestep += sidestep > 0 ? -1 : 1;
                }
                Steer(way);
            }
            Frame();
        }
        Steer({});
        return false;
    }
    // Rolls the ball into the target: from behind the ball as seen from the target, then through it, until done.
    bool Roll(const std::string& ball, const std::string& target, const std::function<bool()>& done, int limit)
    {
        const Place where = [&] {
            const Vector3 at = Where(*Object(ball));
            const Vector3 along = Flat(Where(*Object(target)) - at).Normalized();
            const Vector3 fromBall = Flat(Me() - at);
            const float ahead = fromBall.Dot(along);
            const bool lined = ahead < -0.8f && (fromBall - along * ahead).Length() < 0.35f;
            return lined ? Where(*Object(target)) : at - along * 1.4f;
        };
        return Steered(where, done, limit);
    }
    // Walks onto a pickup until it is taken.
    bool Collect(const std::string& pickup, int limit)
    {
        return Steered(At(pickup), [&] { return Gone(pickup); }, limit);
    }
    // Holds the attack while facing the target from close by, until done.
    bool Strike(const std::string& target, const std::function<bool()>& done, int limit)
    {
        const bool hit = Steered(At(target), [&] {
            if (done())
                return true;
            Hold(kMouseLeft, FlatDistance(Where(*Object(target)), Me()) < 1.8f);
            return false;
        }, limit);
        Hold(kMouseLeft, false);
        return hit;
    }

private:
    // The world direction as the game camera sees it, on the keyboard: each key whose axis carries a fair share of
    // it, so that a slanting way leans to the diagonal rather than running square into a wall; none for a zero
    // direction.
    void Steer(const Vector3& direction)
    {
        const GameObject* camera = Object("Camera");
        const Vector3 want = Flat(direction);
        float ahead = 0.0f, aside = 0.0f;
        if (camera && want.Length() > 1e-3f)
        {
            const TransformInterface& view = *camera->GetTransform();
            ahead = want.Normalized().Dot(Flat(view.GetForward()).Normalized());
            aside = -want.Normalized().Dot(Flat(view.GetRight()).Normalized());
        }
        constexpr float kDiagonal = 0.2f;
        Hold(kW, ahead > kDiagonal);
        Hold(kS, ahead < -kDiagonal);
        Hold(kD, aside > kDiagonal);
        Hold(kA, aside < -kDiagonal);
    }
    // In a cutscene shot the keys are let go and the shot is clicked on every ten frames.
    bool SkippingCutscene()
    {
        const bool shot = GameCamera() != "Camera";
        if (shot)
            Steer({});
        Hold(kEnter, shot && frames_ % 10 == 0);
        return shot;
    }
    // What the screen shows of the window, not what the driver kept of the frame.
    bool FrameIsOneColour() const
    {
        const std::vector<unsigned> shown = display_.TopWindowPixels();
        return std::adjacent_find(shown.begin(), shown.end(), std::not_equal_to<>()) == shown.end();
    }

    Core& core_;
    InputSystem& input_;
    const PrivateDisplay& display_;
    int frames_ = 0;
    int loadedAt_ = 0;
    std::string lastLevel_;

public:
    std::vector<std::string> levels;
};

bool IsTrigger(const std::string& name)
{
    const GameObject* object = Player::Object(name);
    return object && object->GetCollider()->IsTrigger();
}

float Intensity(const std::string& name)
{
    const GameObject* object = Player::Object(name);
    return object && object->GetLight() ? object->GetLight()->GetIntensity() : -1.0f;
}

std::string MeshOf(const std::string& name)
{
    const GameObject* object = Player::Object(name);
    return object ? object->GetMeshFilter()->GetMeshName() : std::string();
}

// The heads-up hearts shown full.
int FullHearts()
{
    int full = 0;
    for (int n = 0; n < 10; ++n)
    {
        const GameObject* heart = Player::Object("Heart" + std::to_string(n));
        const Image* image = heart ? heart->GetComponent<Image>() : nullptr;
        full += image && image->GetAlpha() == 1.0f && image->GetMaterial().name == "HeartFilledUI";
    }
    return full;
}

// The game's settings the menu changed hold in every level.
void ExpectSettingsKept(Core& core, const std::string& where)
{
    EXPECT_FLOAT_EQ(core.GetGamma(), 1.75f) << where;
    EXPECT_FLOAT_EQ(core.GetAudio()->GetGroupVolume(Sound::BGM), 0.5f) << where;
}

// The splash, then settings, credits and the quit question in the menu, then the story so far.
void StartTheGame(Player& player, Core& core)
{
    player.Frame();
    EXPECT_EQ(player.Level(), "SplashCalvorn");
    ASSERT_TRUE(player.UntilLevel("MainMenuLevel", 5 * kSecond + 5));
    EXPECT_GE(player.FramesRun(), 5 * kSecond - 5);

    player.Frames(kSecond + 10);
    player.Press(kDown);
    player.Press(kEnter);
    player.Press(kRight, 2);
    EXPECT_FLOAT_EQ(core.GetGamma(), 1.75f);
    player.Press(kDown, 2);
    player.Press(kLeft, 5);
    EXPECT_FLOAT_EQ(core.GetAudio()->GetGroupVolume(Sound::BGM), 0.5f);
    player.Press(kDown, 3);
    player.Press(kEnter);
    player.Press(kDown);
    player.Press(kEnter);
    player.Press(kEnter, 4);
    player.Press(kDown);
    player.Press(kEnter);
    player.Press(kRight);
    player.Press(kEnter);
    EXPECT_TRUE(core.IsRunning());
    player.Press(kDown);
    player.Press(kEnter);
    ASSERT_TRUE(player.UntilLevel("Cutscene0", 2 * kSecond));
    EXPECT_GE(player.PressUntilLevel(kEnter, "TombLevel1", 20), 0);
    ExpectSettingsKept(core, "TombLevel1");
}

// The hall, the side room through the gap in its wall: the scarab gives the blink and the attack, the attack
// breaks the crate, the ankh opens its door; then down the hall through its cutscenes to the exit.
void PlayTheHall(Player& player, Core& core)
{
    // Pause and look at the first page.
    player.Frames(2 * kSecond);
    player.Press(kEscape);
    EXPECT_TRUE(core.IsPaused());
    player.Press(kDown);
    const GameObject* page = Player::Object("TutorialImage");
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(page->GetImage()->IsEnabled());
    player.Frames(20 - 12);
    player.Press(kEscape);
    EXPECT_FALSE(core.IsPaused());

    // Nothing is unlocked yet: neither the attack nor the blink does anything.
    const Vector3 start = Player::Me();
    player.Hold(kMouseLeft, true);
    player.Frames(10);
    player.Hold(kMouseLeft, false);
    player.Press(kShift);
    player.Frames(10);
    EXPECT_TRUE(Gone("melee"));
    EXPECT_LT(FlatDistance(Player::Me(), start), 0.5f);

    ASSERT_TRUE(player.GoTo(Player::At("Tutorial Volume 3"), 1.0f, 10 * kSecond));
    ASSERT_TRUE(player.Collect("Scarab Pickup", 10 * kSecond));
    player.Frames(kSecond);
    const Vector3 before = Player::Me();
    player.Press(kShift);
    player.Frames(10);
    EXPECT_GT(FlatDistance(Player::Me(), before), 4.0f) << "the scarab gives the blink";

    bool struck = false;
    EXPECT_TRUE(player.Strike("Breakable Crate",
                              [&] {
                                  struck = struck || !Gone("melee");
                                  return IsTrigger("Breakable Crate") || Gone("Breakable Crate");
                              },
                              10 * kSecond))
        << "the crate breaks under the attack";
    EXPECT_TRUE(struck);
    ASSERT_TRUE(player.Collect("Heart Pickup", 10 * kSecond));
    ASSERT_TRUE(player.GoTo(Player::At("Ankh"), 0.4f, 10 * kSecond));
    EXPECT_TRUE(player.Until([] { return Gone("ankhdoor"); }, 5 * kSecond)) << "the ankh opens its door";

    ASSERT_TRUE(player.GoTo(Player::At("Side Room Floor", {0, 0, 4}), 1.0f, 10 * kSecond));
    ASSERT_TRUE(player.GoTo(Player::At("Tutorial Volume 3"), 1.0f, 10 * kSecond));
    player.GoTo(Player::At("Cutscene1"), 0.3f, 60 * kSecond);
    EXPECT_TRUE(player.UntilLevel("Cutscene1", 30 * kSecond));
}

// The temple: a fall into the pit after the checkpoint costs a heart and returns the player there. The turrets,
// lured near, freeze each torch (a bridge stage each); the fire spheres, rolled in, light them and break their
// walls (torch 2 takes two). Over the finished bridge, round the fire wall to the exit.
void PlayTheTemple(Player& player)
{
    ASSERT_TRUE(player.GoTo(Player::At("CheckPoint", {0, 0, 2}), 1.0f, 10 * kSecond));
    const Vector3 checkpoint = Player::Where(*Player::Object("CheckPoint"));
    ASSERT_TRUE(player.GoTo(Player::At("CheckPoint", {0, 0, 12}), 1.0f, 10 * kSecond));
    const int hearts = FullHearts();
    player.Steered(Player::At("Torch Hall Floor", {24, 0, -16}), [] { return Player::Me().y < 0.0f; },
                   10 * kSecond);
    EXPECT_TRUE(player.Until([&] { return Player::Me().y > 0.0f && FlatDistance(Player::Me(), checkpoint) < 4.0f; },
                             10 * kSecond))
        << "the fall ends at the checkpoint";
    EXPECT_TRUE(player.Until([] { return Player::Me().y < 2.0f; }, 2 * kSecond)) << "back on the floor";
    EXPECT_EQ(FullHearts(), hearts - 1) << "the fall costs a heart";

    const std::vector<std::string> stages = {"bridge2", "bridge3", "bridge"};
    const auto freeze = [&](int torch) {
        const std::string number = std::to_string(torch);
        const std::string ball = "FireElem " + number;
        const Place behind = [&] {
            const Vector3 at = Player::Where(*Player::Object(ball));
            return at - Flat(Player::Where(*Player::Object("Standing Torch " + number)) - at).Normalized() * 1.4f;
        };
        ASSERT_TRUE(player.GoTo(Player::At("Standing Torch " + number, {0, 0, -8}), 1.0f, 10 * kSecond)) << number;
        ASSERT_TRUE(player.GoTo(behind, 0.5f, 10 * kSecond)) << number;
        EXPECT_TRUE(player.Until([&] { return Intensity("Standing Torch light " + number + " Level 2") == 0.0f; },
                                 5 * kSecond))
            << "torch " << number << " frozen";
    };
    const auto burn = [&](const std::string& ball, int torch) {
        const std::string number = std::to_string(torch);
        const float lit = Intensity("Standing Torch light " + number);
        EXPECT_TRUE(player.Roll(ball, "Standing Torch " + number,
                                [&] { return Intensity("Standing Torch light " + number) > lit; }, 10 * kSecond))
            << ball << " lights torch " << number;
    };
    for (int torch = 1; torch <= 3; ++torch)
    {
        freeze(torch);
        EXPECT_TRUE(player.Until([&] { return MeshOf("Bridge") == stages[torch - 1]; }, 2 * kSecond))
            << "bridge stage " << torch;
        burn("FireElem " + std::to_string(torch), torch);
        if (torch == 2)
        {
            EXPECT_FALSE(IsTrigger("BreakableWall 2")) << "torch 2 takes two";
            ASSERT_TRUE(player.GoTo(Player::At("FireElem 4", {-1.4f, 0, -4}), 1.0f, 10 * kSecond));
            burn("FireElem 4", 2);
        }
        const Place aside = Player::At("Standing Torch " + std::to_string(torch), {-3, 0, -5});
        ASSERT_TRUE(player.GoTo(aside, 1.0f, 10 * kSecond));
        EXPECT_TRUE(player.Until([&] { return IsTrigger("BreakableWall " + std::to_string(torch)); }, kSecond))
            << "wall " << torch << " broken";
    }
    EXPECT_TRUE(player.Until([] { return Gone("Invis Wall"); }, 5 * kSecond)) << "the bridge is finished";

    ASSERT_TRUE(player.GoTo(Player::At("BreakableWall 2", {0, 0, -3}), 1.0f, 10 * kSecond));
    ASSERT_TRUE(player.GoTo(Player::At("BreakableWall 2", {0, 0, 5}), 1.0f, 10 * kSecond));
    ASSERT_TRUE(player.GoTo(Player::At("Spirit Trigger"), 0.4f, 20 * kSecond));
    ASSERT_TRUE(player.GoTo(Player::At("FireWall", {6, 0, -3}), 1.0f, 40 * kSecond));
    ASSERT_TRUE(player.GoTo(Player::At("FireWall", {6, 0, 3}), 1.0f, 10 * kSecond));
    player.GoTo(Player::At("Cutscene2"), 0.3f, 20 * kSecond);
    EXPECT_TRUE(player.UntilLevel("Cutscene2", 10 * kSecond));
}

float Clamp(float value, float limit)
{
    return std::max(-limit, std::min(limit, value));
}

constexpr const char* kPylons[] = {"Pylon 1", "Pylon 2", "Pylon 3"};

// The way to a place, or to a point beside the first pylon that stands on it, on the player's side: running
// straight at a pylon's corner holds the player there.
Place AroundPylons(const Place& place)
{
    return [place] {
        const Vector3 target = place();
        const Vector3 me = Player::Me();
        const float length = FlatDistance(target, me);
        if (length < 1e-3f)
            return target;
        const Vector3 way = Flat(target - me) / length;
        for (const char* name : kPylons)
        {
            const GameObject* pylon = Player::Object(name);
            const Vector3 to = pylon ? Flat(Player::Where(*pylon) - me) : Vector3();
            const float along = to.Dot(way);
            const Vector3 across = to - way * along;
            if (!pylon || along <= 0.0f || along >= length || across.Length() >= 1.8f)
                continue;
            const Vector3 side = across.Length() > 1e-3f ? -across.Normalized() : Vector3{way.z, 0.0f, -way.x};
            return Player::Where(*pylon) + side * 2.2f;
        }
        return target;
    };
}

// The arena: each pylon in turn, the player standing behind it as seen from the boss so that the boss's beam breaks
// its shield, then attacking it until it breaks, and back behind it for the next beam when the attack came too
// late. After each break the player runs to the entry; each bomb that can be reached is then walked up to until it
// is set off, and outrun.
void PlayTheArena(Player& player)
{
    // The way between the arena and the far end of the entry, where no bomb reaches; the boss door sinks for a
    // player right of its middle.
    const Place entrance = Player::At("Entry Floor", {3, 0, 14});
    const Place refuge = Player::At("Entry Floor", {3, 0, -10});
    // From the entry into the arena and back only through the entrance (the entry is narrower than the arena
    // and a fall returns the player to the checkpoint in it), and round the pylons.
    const auto route = [&](const Place& place) {
        return AroundPylons([&entrance, place] {
            const Vector3 target = place();
            const float border = entrance().z - 0.5f;
            const bool crossing = (Player::Me().z < border) != (target.z < border);
            return crossing && FlatDistance(Player::Me(), entrance()) > 1.0f ? entrance() : target;
        });
    };
    const auto go = [&](const Place& place, float reach, int limit) {
        return player.Steered(route(place), [&] { return FlatDistance(place(), Player::Me()) < reach; }, limit);
    };
    const auto leave = [&] { ASSERT_TRUE(go(refuge, 1.0f, 20 * kSecond)); };
    const auto outrunBombs = [&] {
        std::set<const GameObject*> outOfReach;
        for (;;)
        {
            const GameObject* bomb = nullptr;
            for (const GameObject* live : Player::Objects("Bomb"))
                if (!outOfReach.contains(live))
                    bomb = live;
            if (!bomb)
                return;
            const Vector3 at = Player::Where(*bomb);
            // The nearest place on the arena's floor.
            const Vector3 edge{Clamp(at.x, 11.0f), 0.0f, Clamp(at.z, 11.0f)};
            player.Steered(route([edge] { return edge; }),
                           [&] {
                               return FlatDistance(at, Player::Me()) < 15.0f ||
                                      FlatDistance(edge, Player::Me()) < 0.5f;
                           },
                           20 * kSecond);
            if ((at - Player::Me()).Length() >= 16.0f)
            {
                outOfReach.insert(bomb);
                continue;
            }
            leave();
            ASSERT_TRUE(player.Until(
                [&] {
                    const std::vector<GameObject*> left = Player::Objects("Bomb");
                    return std::find(left.begin(), left.end(), bomb) == left.end();
                },
                10 * kSecond))
                << "a bomb set off goes off";
        }
    };
    for (const std::string pylon : kPylons)
    {
        const Vector3 at = Player::Where(*Player::Object(pylon));
        const Vector3 away = Flat(at - Player::Where(*Player::Object("FinalBoss"))).Normalized();
        // A shield broken before comes back while still down and stays shown, so the beam reaching the pylon
        // counts as well as the shield going; the pylon gives under the attack only while its shield is down.
        const auto shielded = [&] {
            for (const GameObject* shield : Player::Objects("PillarShield"))
                if (FlatDistance(Player::Where(*shield), at) < 1.0f)
                    return true;
            return false;
        };
        const auto beamAtPylon = [&] {
            for (const char* beam : {"BeamProjectile", "BeamProjectile0", "BeamProjectile1", "BeamProjectile2"})
                for (const GameObject* shot : Player::Objects(beam))
                    if (FlatDistance(Player::Where(*shot), at) < 1.5f)
                        return true;
            return false;
        };
        const std::size_t chains = Player::Objects("ParticlesChains").size();
        const auto broken = [&] { return Player::Objects("ParticlesChains").size() < chains; };
        // Missed or too late: back behind the pylon for the next beam.
        for (int beam = 0; beam < 4 && !broken(); ++beam)
        {
            ASSERT_TRUE(go([&] { return at + away * 2.5f; }, 0.4f, 20 * kSecond)) << pylon;
            EXPECT_TRUE(player.Until([&] { return !shielded() || beamAtPylon(); }, 40 * kSecond))
                << "the beam reaches " << pylon;
            player.Strike(pylon, broken, 8 * kSecond);
        }
        EXPECT_TRUE(broken()) << pylon << " breaks";
        // The last break ends the fight: the final sequence takes over from here.
        if (pylon == kPylons[std::size(kPylons) - 1])
            break;
        leave();
        player.Frames(4 * kSecond);
        outrunBombs();
    }
}

void PlayTheGame(Core& core, const PrivateDisplay& display)
{
    Player player(core, display);
    StartTheGame(player, core);
    PlayTheHall(player, core);
    EXPECT_GE(player.PressUntilLevel(kEnter, "TombLevel2", 20), 0);
    PlayTheTemple(player);
    EXPECT_GE(player.PressUntilLevel(kEnter, "TombBoss", 20), 0);
    PlayTheArena(player);
    EXPECT_GE(player.PressUntilLevel(kEnter, "Cutscene3", 60), 0);
    EXPECT_GE(player.PressUntilLevel(kEnter, "CreditsRoll", 20), 0);
    ASSERT_TRUE(player.UntilLevel("MainMenuLevel", 20 * kSecond));
    ExpectSettingsKept(core, "MainMenuLevel");

    // Quit from the menu.
    player.Frames(kSecond + 10);
    player.Press(kUp);
    player.Press(kEnter);
    player.Press(kEnter);
    EXPECT_FALSE(core.IsRunning());
    EXPECT_EQ(player.levels,
              (std::vector<std::string>{"SplashCalvorn", "MainMenuLevel", "Cutscene0", "TombLevel1", "Cutscene1",
                                        "TombLevel2", "Cutscene2", "TombBoss", "Cutscene3", "CreditsRoll",
                                        "MainMenuLevel"}));
}
} // namespace

TEST(Playthrough, FromTheSplashThroughEveryLevelToTheCreditsWithoutShortcuts)
{
    if (!std::getenv("DISPLAY"))
        GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
    // A display of its own: the frames are read from the screen, where other tests' windows on a shared display
    // may cover the game's.
    static PrivateDisplay* const display = new PrivateDisplay;
    ASSERT_TRUE(display->IsOpen()) << "Xvfb did not start";
    setenv("DISPLAY", display->Name().c_str(), 1);
    // The runner's window keeps the GL driver loaded past the program's shut-down, for the leak check.
    LevelRunner::SharedWindow();
    TempFolder root;
    const fs::path built = fs::path(NEKTARU_ASSETS_ROOT);
    fs::create_directories(root.Path() / "Bin");
    fs::copy(built / "Assets", root.Path() / "Bin/Assets", fs::copy_options::recursive);
    fs::copy_file(GAME_LIBRARY_PATH, root.Path() / "Bin/Game.so");
    fs::create_directories(root.Path() / "home");
    setenv("HOME", (root.Path() / "home").c_str(), 1);
    setenv("XDG_DOCUMENTS_DIR", "", 1);

    testing::internal::CaptureStderr();
    const char* const arguments[] = {"Nektaru"};
    const ProgramSetup setup{(root.Path() / "Bin").string() + "/", kWidth, kHeight, false,
                             [](Core& core) {
                                 // A second handle on the copy the program loaded, not on the built file: the
                                 // same library in memory, whose random draws the scripts make.
                                 platform::DynamicLibrary game;
                                 ASSERT_TRUE(game.Load(core.GetLogic()->LoadedCopyPath())) << game.Error();
                                 auto seed = game.FindFunction<void (*)(std::uint32_t)>("SeedScriptRandom");
                                 ASSERT_NE(seed, nullptr);
                                 seed(kSeed);
                                 PlayTheGame(core, *display);
                             },
                             NEKTARU_IMPORTER_PATH};
    EXPECT_EQ(RunProgram(arguments, setup), 0);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(errors.find("ASSERT"), std::string::npos) << errors;
}
