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
