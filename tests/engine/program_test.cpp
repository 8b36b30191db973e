// The program itself, started the way a player or a build job starts it, in a fixture tree:
//   <root>/.git/HEAD, <root>/Bin/{Nektaru, Game.so, Assets/...}, <root>/work (working folder), <root>/home.
#include "childprocess.h"
#include "tempfolder.h"
#include "testrunlog.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace
{
namespace fs = std::filesystem;

const char* const DefaultConfig = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>\n"
                                  "\t<WindowName>Torvane</WindowName>\n\t<Width>1280</Width>\n\t<Height>800</Height>\n"
                                  "\t<Fullscreen>false</Fullscreen>\n\t<ShowWindow>true</ShowWindow>\n"
                                  "\t<ShowTerminal>true</ShowTerminal>\n\t<EditorMode>true</EditorMode>\n"
                                  "\t<DrawColliders>true</DrawColliders>\n\t<FPS>60</FPS>\n\t<Gamma>1.25</Gamma>\n"
                                  "\t<DLL>Game</DLL>\n</Config>\n";

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!std::getenv("DISPLAY"))
            GTEST_SKIP() << "needs an X display (the test command runs under Xvfb)";
        const fs::path program = NEKTARU_PROGRAM_PATH;
        fs::create_directories(root.Path() / "Bin");
        fs::copy_file(program, root.Path() / "Bin/Nektaru");
        fs::copy_file(program.parent_path() / "NektaruImporter", root.Path() / "Bin/NektaruImporter");
        fs::copy_file(program.parent_path() / "Game.so", root.Path() / "Bin/Game.so");
        fs::create_directories(root.Path() / "work");
        fs::create_directories(root.Path() / "home");
        root.Write(".git/HEAD", "ref: refs/heads/main\n");
        root.Write("Bin/Assets/Prefabs/Torch_7_Prefab.xml", "");
        root.Write("Bin/Assets/Prefabs/Door_3_Prefab.xml", "");
        root.Write("Bin/Assets/XML/SplashCalvorn.xml", "");
        root.Write("Bin/Assets/XML/Level1.xml", "");
    }

    std::unique_ptr<ChildProcess> Start(std::vector<std::string> arguments = {},
                                        std::map<std::string, std::string> environment = {})
    {
        environment.insert({{"HOME", (root.Path() / "home").string()}, {"XDG_DOCUMENTS_DIR", ""}});
        return std::make_unique<ChildProcess>((root.Path() / "Bin/Nektaru").string(), std::move(arguments),
                                              (root.Path() / "work").string(), (root.Path() / "stdout.txt").string(),
                                              (root.Path() / "stderr.txt").string(), environment);
    }

    int Run(std::vector<std::string> arguments = {}, std::map<std::string, std::string> environment = {})
    {
        auto program = Start(std::move(arguments), std::move(environment));
        EXPECT_TRUE(program->Started());
        return program->Wait();
    }

    std::string Config() const { return root.Read("home/Documents/CalVorn/Nektaru/config.xml"); }

    // Fails when a sanitizer had something to say.
    void ExpectCleanStderr() const
    {
        const std::string errors = root.Read("stderr.txt");
        for (const char* report : {"AddressSanitizer", "LeakSanitizer", "runtime error"})
            EXPECT_EQ(errors.find(report), std::string::npos) << errors;
    }

    TempFolder root;
};

// Each expected line occurs in the text, in this order.
testing::AssertionResult LinesInOrder(const std::string& text, const std::vector<std::string>& lines)
{
    std::size_t at = 0;
    for (const std::string& line : lines)
    {
        const std::size_t found = text.find(line + "\n", at);
        if (found == std::string::npos)
            return testing::AssertionFailure() << "missing in order: \"" << line << "\" in\n" << text;
        at = found + line.size();
    }
    return testing::AssertionSuccess();
}
}

TEST_F(ProgramTest, TestRunStartsEverySystemAndReportsOk)
{
    root.Write("work/.testrun", "");
    ASSERT_EQ(Run(), 0) << root.Read("stderr.txt");

    EXPECT_TRUE(LinesInOrder(root.Read("stdout.txt"), {"Currently in 'main' branch",
                                                       "",
                                                       " >>> INITIALIZING SYSTEMS!",
                                                       "System: Messaging \t- OK",
                                                       "System: Input \t\t- OK (2 input devices registered).",
                                                       "System: Logic Initializing",
                                                       " >>> ALL SYSTEMS INITIALIZED!",
                                                       "\tResourceManager: Processing models ... done"}));
    EXPECT_EQ(root.Read("work/.log_editor"), EditorTestRunLog);
    EXPECT_EQ(root.Read("work/.okay_editor"), "RAN STATUS : OK\n");
    EXPECT_EQ(Config(), DefaultConfig);
    ExpectCleanStderr();
}

TEST_F(ProgramTest, AModelFileThatEndsTheImporterIsReportedByNameAndStartUpGoesOn)
{
    const fs::path models = root.Path() / "Bin/Assets/Models/Non-Animated";
    fs::create_directories(models);
    fs::copy_file(NEKTARU_TEST_DATA "/models/importer-abort.dae", models / "importer-abort.dae");
    fs::copy_file(NEKTARU_ASSETS_DIR "/Models/Fixtures/Cube.dae", models / "Cube.dae");
    root.Write("work/.testrun", "");
    // The importer's abort message is on the shared standard error, so it is not checked for being clean.
    ASSERT_EQ(Run(), 0) << root.Read("stderr.txt");

    const std::string out = root.Read("stdout.txt");
    EXPECT_NE(out.find("ERROR::ASSIMP:: " + (models / "importer-abort.dae").string() + ": the importer was ended"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("ERROR::ASSIMP:: " + (models / "Cube.dae").string()), std::string::npos);
    EXPECT_EQ(root.Read("work/.okay_editor"), "RAN STATUS : OK\n");
}

TEST_F(ProgramTest, EditorTestRunDrawsTheEditorsFramesAndLeavesNoSceneSnapshot)
{
    root.Write("work/.testrun", "");
    root.Write("home/Documents/CalVorn/Nektaru/tmpScene.xml", "<Objects>\n</Objects>\n");
    root.Write("home/Documents/CalVorn/Nektaru/tmpSceneSettings.xml", "<SceneSettings>\n</SceneSettings>\n");
    // A level's own, were it named "tmpScene".
    root.Write("Bin/Assets/SceneSettings/tmpSceneSettings.xml", "<SceneSettings>\n</SceneSettings>\n");
    // The editor draws through the GL driver, which goes with the window before the leak check at exit: the
    // driver's own caches would be reported without the library names that suppress them. The editor's
    // leaks are checked in the tests that keep their window.
    ASSERT_EQ(Run({"--editor"}, {{"ASAN_OPTIONS", "detect_leaks=0"}}), 0) << root.Read("stderr.txt");

    EXPECT_NE(root.Read("stdout.txt").find("System: Editor \t\t- OK\n"), std::string::npos);
    EXPECT_EQ(root.Read("work/.log_editor"), EditorTestRunLog);
    EXPECT_EQ(root.Read("work/.okay_editor"), "RAN STATUS : OK\n");
    EXPECT_FALSE(fs::exists(root.Path() / "home/Documents/CalVorn/Nektaru/tmpScene.xml"));
    EXPECT_FALSE(fs::exists(root.Path() / "home/Documents/CalVorn/Nektaru/tmpSceneSettings.xml"));
    EXPECT_TRUE(fs::exists(root.Path() / "Bin/Assets/SceneSettings/tmpSceneSettings.xml"));
    ExpectCleanStderr();
}

// What killed saves left is removed before anything is listed, so none of it loads as a prefab or level.
TEST_F(ProgramTest, GameplayTestRunGoesThroughTheAssetTreeAndLeavesAnEditedConfigAlone)
{
    const std::string edited = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>\n\t<FPS>30</FPS>\n</Config>\n";
    root.Write("home/Documents/CalVorn/Nektaru/config.xml", edited);
    const char* leftovers[] = {"Bin/Assets/Prefabs/.saving-Torch_7_Prefab_xml",
                               "Bin/Assets/Prefabs/Door_3_Prefab.xml.saving-AbCdEf",
                               "Bin/Assets/XML/Level1.xml.saving-JPIuD2", "Bin/Assets/Materials/.saving-Stone_xml",
                               "home/Documents/CalVorn/Nektaru/.saving-config_xml"};
    for (const char* leftover : leftovers)
        root.Write(leftover, "<Objects>\n\t<Object>\n");
    root.Write("work/.testrun", "");
    root.Write("work/.gameplaymode", "");
    ASSERT_EQ(Run(), 0) << root.Read("stderr.txt");
    for (const char* leftover : leftovers)
        EXPECT_FALSE(fs::exists(root.Path() / leftover)) << leftover;

    EXPECT_EQ(root.Read("work/.log_play"), "NOTICE: STARTING!\n"
                                           "NOTICE : Detecting 2 XML Files in Bin/Prefabs.\n"
                                           "LOADING PREFAB : Door_3_Prefab.xml ---  OK\n"
                                           "LOADING PREFAB : Torch_7_Prefab.xml ---  OK\n"
                                           "NOTICE : Detecting 2 XML Files in Bin/XML.\n"
                                           "LOADING XML : Level1.xml ---  OK\n"
                                           "LOADING XML : SplashCalvorn.xml --- OK\n");
    EXPECT_EQ(root.Read("work/.okay_play"), "RAN STATUS : OK\n");
    EXPECT_EQ(Config(), edited);
    ExpectCleanStderr();
}

TEST_F(ProgramTest, WithoutMarkerItRunsUntilAskedToCloseThenShutsDownCleanly)
{
    auto program = Start();
    ASSERT_TRUE(program->Started());
    // Wait for the main loop's start-up to finish, then close the way a window manager's quit does.
    const std::string ready = "ResourceManager: Processing models ... ";
    for (int wait = 0; wait < 600 && root.Read("stdout.txt").find(ready) == std::string::npos; ++wait)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    program->Signal(SIGTERM); // SDL turns it into a quit event
    EXPECT_EQ(program->Wait(), 0) << root.Read("stderr.txt");
    EXPECT_FALSE(fs::exists(root.Path() / "work/.log_editor"));
    ExpectCleanStderr();
}
