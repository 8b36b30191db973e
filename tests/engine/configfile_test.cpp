#include "configfile.h"

#include "tempfolder.h"

#include <gtest/gtest.h>

namespace
{
const char* const DefaultConfig = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                  "<Config>\n"
                                  "\t<WindowName>Torvane</WindowName>\n"
                                  "\t<Width>1280</Width>\n"
                                  "\t<Height>800</Height>\n"
                                  "\t<Fullscreen>false</Fullscreen>\n"
                                  "\t<ShowWindow>true</ShowWindow>\n"
                                  "\t<ShowTerminal>true</ShowTerminal>\n"
                                  "\t<EditorMode>true</EditorMode>\n"
                                  "\t<DrawColliders>true</DrawColliders>\n"
                                  "\t<FPS>60</FPS>\n"
                                  "\t<Gamma>1.25</Gamma>\n"
                                  "\t<DLL>Game</DLL>\n"
                                  "</Config>\n";
}

TEST(ConfigFile, AMissingFileGetsTheDefaultsByteForByte)
{
    TempFolder folder;
    EnsureConfigFile(folder.Folder() + ConfigFileName);
    EXPECT_EQ(folder.Read("config.xml"), DefaultConfig);
}

TEST(ConfigFile, AnExistingFileIsLeftAloneWhateverItHolds)
{
    TempFolder folder;
    for (const char* edited : {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>\n\t<FPS>144</FPS>\n</Config>\n",
                               "", "not xml at all"})
    {
        folder.Write("config.xml", edited);
        EnsureConfigFile(folder.Folder() + ConfigFileName);
        EXPECT_EQ(folder.Read("config.xml"), edited);
    }
}

TEST(ConfigFile, WhatIsWrittenReadsBackElementByElement)
{
    TempFolder folder;
    const std::string path = folder.Folder() + ConfigFileName;
    EditorConfig edited;
    edited.windowName = "Edited";
    edited.width = 640;
    edited.height = 480;
    edited.fullscreen = true;
    edited.showWindow = false;
    edited.showTerminal = false;
    edited.editorMode = false;
    edited.drawColliders = false;
    edited.fps = 144.5f;
    edited.dll = "Other";
    ASSERT_TRUE(WriteConfigFile(path, edited, 2.0f));
    EXPECT_EQ(folder.Read("config.xml"), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                         "<Config>\n"
                                         "\t<WindowName>Edited</WindowName>\n"
                                         "\t<Width>640</Width>\n"
                                         "\t<Height>480</Height>\n"
                                         "\t<Fullscreen>true</Fullscreen>\n"
                                         "\t<ShowWindow>false</ShowWindow>\n"
                                         "\t<ShowTerminal>false</ShowTerminal>\n"
                                         "\t<EditorMode>false</EditorMode>\n"
                                         "\t<DrawColliders>false</DrawColliders>\n"
                                         "\t<FPS>144.5</FPS>\n"
                                         "\t<Gamma>2</Gamma>\n"
                                         "\t<DLL>Other</DLL>\n"
                                         "</Config>\n");
    EditorConfig read;
    float gamma = 1.0f;
    EXPECT_TRUE(ReadConfigFile(path, read, gamma));
    EXPECT_EQ(read.windowName, "Edited");
    EXPECT_EQ(read.width, 640);
    EXPECT_EQ(read.height, 480);
    EXPECT_TRUE(read.fullscreen);
    EXPECT_FALSE(read.showWindow || read.showTerminal || read.editorMode || read.drawColliders);
    EXPECT_FLOAT_EQ(read.fps, 144.5f);
    EXPECT_FLOAT_EQ(gamma, 2.0f);
    EXPECT_EQ(read.dll, "Other");
}

TEST(ConfigFile, MissingElementsAndValuesThatDoNotReadKeepWhatTheCopyHeld)
{
    TempFolder folder;
    folder.Write("config.xml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Config>\n"
                               "\t<Width>wide</Width>\n\t<Height>600</Height>\n\t<Fullscreen>yes</Fullscreen>\n"
                               "\t<Gamma>bright</Gamma>\n\t<Unknown>1</Unknown>\n</Config>\n");
    EditorConfig config;
    config.fps = 30.0f;
    config.fullscreen = true;
    float gamma = 1.5f;
    EXPECT_TRUE(ReadConfigFile(folder.Folder() + ConfigFileName, config, gamma));
    EXPECT_EQ(config.width, 1280);
    EXPECT_EQ(config.height, 600);
    EXPECT_TRUE(config.fullscreen);
    EXPECT_FLOAT_EQ(config.fps, 30.0f);
    EXPECT_FLOAT_EQ(gamma, 1.5f);

    EXPECT_FALSE(ReadConfigFile(folder.Folder() + "absent.xml", config, gamma));
    EXPECT_EQ(config.height, 600);
}

TEST(ConfigFile, NumbersThatAreNotFiniteOrOutOfRangeAreReportedAndKeepWhatTheCopyHeld)
{
    TempFolder folder;
    const std::string path = folder.Folder() + ConfigFileName;
    const struct
    {
        const char* leaf;
        const char* report;
    } cases[] = {
        {"<FPS>inf</FPS>", "'inf'"},
        {"<FPS>1e39</FPS>", "'1e39'"},
        {"<FPS>0</FPS>", "FPS 0 is out of range"},
        {"<Width>-5</Width>", "Width -5 is out of range"},
        {"<Height>0</Height>", "Height 0 is out of range"},
        {"<Gamma>nan</Gamma>", "'nan'"},
        {"<Gamma>50</Gamma>", "Gamma 50 is out of range"},
    };
    for (const auto& [leaf, report] : cases)
    {
        folder.Write("config.xml", std::string("<Config>\n\t") + leaf + "\n</Config>\n");
        EditorConfig config;
        float gamma = DefaultConfigGamma;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(ReadConfigFile(path, config, gamma));
        EXPECT_NE(testing::internal::GetCapturedStderr().find(report), std::string::npos) << leaf;
        EXPECT_EQ(config.width, 1280) << leaf;
        EXPECT_EQ(config.height, 800) << leaf;
        EXPECT_EQ(config.fps, 60.0f) << leaf;
        EXPECT_EQ(gamma, DefaultConfigGamma) << leaf;
    }
}

TEST(ConfigFile, AFileThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    TempFolder folder;
    EXPECT_FALSE(WriteConfigFile(folder.Folder() + "missing/config.xml", EditorConfig{}, 1.25f));
}
