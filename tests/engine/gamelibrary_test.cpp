// The built script library as the engine binds it: its exports, its name list and its factories.
#include <gtest/gtest.h>

#include <elf.h>

#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "inputsystem.h"
#include "monobehaviorinterface.h"
#include "platform/dynamiclibrary.h"
#include "platform/files.h"

using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStdout;

namespace
{
const std::vector<std::string> kScriptNames = {
    "TestMono",        "TestPrint",           "TestParent",        "TestAddRemoveScript", "TestPlayerPref",
    "TestSetDiffuseColor", "TestFastMono",    "TestColliderPrint", "TestPlayerAnimation", "TestCameraSwitch",
    "PlayerController", "Heart",              "LevelSwitcher",     "GameLogic",           "CameraScript",
    "IceProjectile",   "AISpawner",           "PushToSpawner",     "BreakableDoor",       "FireDoor",
    "FireBombBehaviour", "IceDoor",           "MovingSpikes",      "ClearEnemyWall",      "PlayerMeleeRange",
    "Level2Logic",     "Ankh",                "StandingTorch",     "Scarab",              "Pitfall",
    "Seg3Door",        "CheckPoint",          "Keys",              "PlayerStats",         "FadeInFadeOut",
    "Tutorial",        "ClearEnemyWallNotHC", "BridgeScript",      "Turret",              "TurretFollowing",
    "BossBehaviour",   "BossSwitch",          "BossChargedProjectile", "BossLevelController", "AmbientSound",
    "PuzzleBombTutorial", "CheatCodes",       "Cutscene2D",        "CutsceneTrigger",     "CutsceneCamera",
    "Cutscene_L1S3",   "Cutscene_L2S3",       "Cutscene_Final",    "CutsceneBombTrigger", "DestroyAfterSeconds",
    "MeleeFeedback",   "BreakableObject",     "CrumblingFloor",    "TargetSwitch",        "DisappearingAct",
    "BossDoorScript",  "PuzzleBomb",          "ChargingEnemy",     "SplashScreen",        "MainMenu",
    "MainMenuVisuals", "Settings",            "PauseMenu",         "PauseTrigger",        "ConfirmPanel",
    "Credits",         "CreditsRolling",      "SendPause",
};

using MonoList = std::vector<std::string>;

// A record of type T at the offset of a file image.
template <typename T>
T RecordAt(const std::string& image, std::size_t offset)
{
    T record{};
    if (offset + sizeof(T) <= image.size())
        std::memcpy(&record, image.data() + offset, sizeof(T));
    return record;
}

// The names the file's dynamic symbol table defines: what the loader can find in it.
std::set<std::string> DefinedDynamicNames(const std::string& path)
{
    std::string image;
    EXPECT_TRUE(platform::ReadFile(path, image)) << path;
    const auto header = RecordAt<Elf64_Ehdr>(image, 0);
    std::set<std::string> names;
    for (std::size_t section = 0; section < header.e_shnum; ++section)
    {
        const auto symbols = RecordAt<Elf64_Shdr>(image, header.e_shoff + section * sizeof(Elf64_Shdr));
        if (symbols.sh_type != SHT_DYNSYM)
            continue;
        const auto strings = RecordAt<Elf64_Shdr>(image, header.e_shoff + symbols.sh_link * sizeof(Elf64_Shdr));
        for (std::size_t at = 0; at + sizeof(Elf64_Sym) <= symbols.sh_size; at += sizeof(Elf64_Sym))
        {
            const auto symbol = RecordAt<Elf64_Sym>(image, symbols.sh_offset + at);
            if (symbol.st_shndx != SHN_UNDEF && ELF64_ST_BIND(symbol.st_info) != STB_LOCAL)
                names.insert(image.c_str() + strings.sh_offset + symbol.st_name);
        }
    }
    return names;
}
using Factory = MonoBehaviorInterface* (*)(GameObjectInterface*);

class GameLibraryTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(game.Load(GAME_LIBRARY_PATH)) << game.Error(); }

    std::unique_ptr<MonoBehaviorInterface> Create(const std::string& name, GameObjectInterface* owner = nullptr)
    {
        const auto create = game.FindFunction<Factory>("Create" + name);
        return std::unique_ptr<MonoBehaviorInterface>(create ? create(owner) : nullptr);
    }

    // Passes the input system and runs one update of the script with key 97 released in it.
    std::string UpdateWithKeyReleased(MonoBehaviorInterface& script)
    {
        game.FindFunction<void (*)(InputInterface*)>("PassInput")(&input);
        input.SetKey(97, true);
        input.Update();
        input.EndFrame();
        input.SetKey(97, false);
        input.Update();
        CaptureStdout();
        script.Update();
        input.EndFrame();
        return GetCapturedStdout();
    }

    platform::DynamicLibrary game;
    InputSystem input{nullptr, [] { return 1.0f / 60.0f; }};
};

TEST_F(GameLibraryTest, ListsEveryNameInOrderAndOwnsNoneOfTheLists)
{
    const auto getMonoList = game.FindFunction<MonoList* (*)()>("GetMonoList");
    ASSERT_NE(getMonoList, nullptr);
    const std::unique_ptr<MonoList> first(getMonoList());
    std::unique_ptr<MonoList> second(getMonoList());
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(*first, kScriptNames);
    second.reset();
    EXPECT_EQ(*std::unique_ptr<MonoList>(getMonoList()), kScriptNames);

    for (const char* setter : {"PassInput", "PassFactory", "PassPhysics", "PassAudio", "PassCore", "PassDt"})
        EXPECT_NE(game.Find(setter), nullptr) << setter;
    // Nothing but the boundary is visible.
    for (const char* hidden : {"gServices", "_Z6Randomv", "_Z16IsConfirmPressedv", "CreateScript"})
        EXPECT_EQ(game.Find(hidden), nullptr) << hidden;
}

TEST(GameLibraryExports, AreTheSettersTheListAndOneFactoryPerNameAndNothingElse)
{
    std::set<std::string> expected = {"PassInput", "PassFactory", "PassPhysics", "PassAudio",
                                      "PassCore",  "PassDt",      "GetMonoList", "SeedScriptRandom"};
    for (const std::string& name : kScriptNames)
        expected.insert("Create" + name);
    ASSERT_EQ(expected.size(), 81u);
    EXPECT_EQ(DefinedDynamicNames(GAME_LIBRARY_PATH), expected);
}

TEST_F(GameLibraryTest, EveryFactoryMakesAFreshScriptButMovingSpikes)
{
    auto* owner = reinterpret_cast<GameObjectInterface*>(0x40);
    for (const std::string& name : kScriptNames)
    {
        ASSERT_NE(game.Find("Create" + name), nullptr) << name;
        const auto script = Create(name, owner);
        if (name == "MovingSpikes")
        {
            EXPECT_EQ(script, nullptr);
            continue;
        }
        ASSERT_NE(script, nullptr) << name;
        EXPECT_EQ(script->owner, owner) << name;
        EXPECT_EQ(script->state, ScriptState::Created) << name;
        EXPECT_EQ(script->dummy, 0) << name;
        const auto clone = script->Clone();
        EXPECT_TRUE(clone->Equals(*script)) << name;
    }
}

TEST_F(GameLibraryTest, PreferencesLiveAsLongAsTheLibrary)
{
    {
        const auto script = Create("TestPlayerPref");
        script->Awake();
        EXPECT_EQ(UpdateWithKeyReleased(*script), "TestPlayerPref Test1 : 456, 123, 789\n");
        // Another script of the same load reads what the first stored.
        EXPECT_EQ(UpdateWithKeyReleased(*Create("TestPlayerPref")), "TestPlayerPref Test1 : 456, 123, 789\n");
    }
    game.Free();
    ASSERT_FALSE(platform::DynamicLibrary::IsResident(GAME_LIBRARY_PATH));
    ASSERT_TRUE(game.Load(GAME_LIBRARY_PATH)) << game.Error();
    EXPECT_EQ(UpdateWithKeyReleased(*Create("TestPlayerPref")), "TestPlayerPref Test1 : 0, 0, \n");
}
} // namespace
