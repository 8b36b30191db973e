// A level whose objects carry scripts, loaded through the object factory with the fixture script library.
#include "messagingsystem.h"
#include "objectfactory.h"
#include "scriptworld.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using ::testing::ElementsAre;
using ::testing::IsSupersetOf;

namespace
{
class ScriptedLevel : public ::testing::Test
{
protected:
    ScriptedLevel() { StartOnLibrary(core, folders, FIXTURE_SCRIPTS_V1); }

    // An object with the script "Alpha" in its own file, and another that has it from its prefab.
    std::string WriteFiles() const
    {
        const std::string holder = "\t\t\t<MonoBehavior>\n\t\t\t\t<Monos>\n\t\t\t\t\t<Monos0>Alpha</Monos0>\n"
                                   "\t\t\t\t</Monos>\n\t\t\t</MonoBehavior>\n";
        const auto object = [](const std::string& name, int prefab, int id, const std::string& components) {
            return "\t<Object>\n\t\t<Name>" + name + "</Name>\n\t\t<PrefabID>" + std::to_string(prefab) +
                   "</PrefabID>\n\t\t<ID>" + std::to_string(id) +
                   "</ID>\n\t\t<ParentID>0</ParentID>\n\t\t<Tag></Tag>\n\t\t<Enabled>true</Enabled>\n"
                   "\t\t<Components>\n" +
                   components + "\t\t</Components>\n\t</Object>\n";
        };
        std::ofstream(folders.UserFolder() + "Sentry_5_Prefab.xml")
            << "<Prefabs>\n" + object("Sentry", 0, 5, holder) + "</Prefabs>\n";
        const std::string level = folders.UserFolder() + "Guarded.xml";
        std::ofstream(level) << "<Objects>\n" + object("Guard", 0, 41, holder) + object("Sentry", 5, 42, "") +
                                    "</Objects>\n";
        return level;
    }
    // The live objects as a level file; then they are replaced by what that file loads.
    std::string SavedAndReloaded()
    {
        const std::string path = folders.UserFolder() + "Saved.xml";
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        factory.SaveLevel(path);
        factory.DestroyAllObjects();
        core.Frame();
        factory.LoadLevelFile(path, true);
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        std::ifstream file(path);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::vector<std::string> Log() const { return TakeFixtureLog(folders.LoadedCopy()); }

    ScriptHostFolders folders;
    Core core{LogicAndInputOnly(folders)};
    MessagingSystem messaging{core.MessageReceivers()};
    // Objects and their scripts go before the library.
    ObjectFactory factory{folders.UserFolder()};
};
} // namespace

TEST_F(ScriptedLevel, ScriptsOfALoadedLevelRunAreFoundByNameAndEndWithTheirObject)
{
    testing::internal::CaptureStdout();
    const std::string level = WriteFiles();
    factory.LoadPrefabFile(folders.UserFolder() + "Sentry_5_Prefab.xml");
    factory.LoadLevelFile(level, true);
    testing::internal::GetCapturedStdout();
    GameObject* guard = factory.FindObject("Guard");
    GameObject* sentry = factory.FindObject("Sentry");
    ASSERT_NE(guard, nullptr);
    ASSERT_NE(sentry, nullptr);
    EXPECT_THAT(factory.GetObjectsWithScript("Alp"), ElementsAre(guard, sentry));
    EXPECT_TRUE(factory.GetObjectsWithScript("Beta").empty());

    // By the end of the next frame every script of the level has woken, started and run.
    std::vector<std::string> log = Log();
    core.Frame();
    for (const std::string& line : Log())
        log.push_back(line);
    EXPECT_THAT(log, IsSupersetOf({"Guard Alpha Awake", "Sentry Alpha Awake", "Guard Alpha Start",
                                   "Sentry Alpha Start", "Guard Alpha Update", "Sentry Alpha Update"}));

    // Saved, loaded and saved again, the file stays as it was.
    const std::string first = SavedAndReloaded();
    EXPECT_EQ(SavedAndReloaded(), first);
    guard = factory.FindObject("Guard");
    ASSERT_NE(guard, nullptr);
    core.Frame();
    Log();

    factory.Destroy(guard);
    core.Frame();
    EXPECT_THAT(Log(), ElementsAre("Guard Alpha OnDestroy", "Sentry Alpha Update"));
    EXPECT_TRUE(factory.GetDestroyQueue().empty());
}
