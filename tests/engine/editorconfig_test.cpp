#include "enginesystems.h"
#include "guidriver.h"
#include "helpers.h"
#include "scopedenvironment.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

namespace
{
// The editor and the renderer with the per-user folder in a scratch folder.
class EditConfigTest : public ::testing::Test
{
protected:
    std::string UserFile() const { return documents.Folder() + "CalVorn/Nektaru/config.xml"; }

    TempFolder documents;
    ScopedEnvironment place{"XDG_DOCUMENTS_DIR", documents.Folder().c_str()};
    Core core{RendererAndEditorOnly()};
    Editor& editor = *core.GetEditor();
    Graphics& graphics = *core.GetGraphics();
};
}

TEST_F(EditConfigTest, OpeningTakesTheFilesGammaAtOnceAndSavingWritesTheCopyWithTheRenderersGamma)
{
    EXPECT_EQ(editor.Config().windowName, "Torvane");
    ASSERT_FALSE(GetUserDataFolder().empty());
    EditorConfig stored;
    stored.width = 1024;
    ASSERT_TRUE(WriteConfigFile(UserFile(), stored, 2.0f));
    editor.ReadConfigForEditor();
    EXPECT_FLOAT_EQ(graphics.GetGamma(), 2.0f);
    EXPECT_EQ(editor.Config().width, 1024);

    // The editor mode is the switch's: the copy's flag is only written.
    editor.Config().editorMode = false;
    graphics.SetGamma(3.0f);
    ASSERT_TRUE(editor.SaveConfigForEditor());
    EditorConfig read;
    float gamma = 0.0f;
    ASSERT_TRUE(ReadConfigFile(UserFile(), read, gamma));
    EXPECT_FALSE(read.editorMode);
    EXPECT_EQ(read.width, 1024);
    EXPECT_FLOAT_EQ(gamma, 3.0f);
}

// "1e39" reads as infinity and was saved as "<FPS>inf</FPS>"; a width of -5 or a frame rate of 0 is no setting.
TEST_F(EditConfigTest, NumbersThatAreNotFiniteOrOutOfRangeAreRefusedAndTheSavePopupSaysWhatHappens)
{
    GuiDriver gui(editor);
    gui.Press({"##MainMenuBar", "##menubar", "Window"});
    gui.Press({"##Menu_00", "Edit Config"});
    ASSERT_TRUE(GuiDriver::WindowShown("Edit Config"));
    const struct
    {
        const char* field;
        const char* typed;
    } refused[] = {{"##FPS", "1e39"}, {"##FPS", "-1e39"}, {"##FPS", "0"}, {"Width", "-5"}, {"Height", "0"}};
    for (const auto& [field, typed] : refused)
        gui.Type({"Edit Config", field}, typed);
    EXPECT_EQ(editor.Config().fps, 60.0f);
    EXPECT_EQ(editor.Config().width, 1280);
    EXPECT_EQ(editor.Config().height, 800);
    gui.Type({"Edit Config", "##FPS"}, "30");
    gui.Type({"Edit Config", "Width"}, "1024");
    EXPECT_EQ(editor.Config().fps, 30.0f);
    EXPECT_EQ(editor.Config().width, 1024);

    gui.Press({"Edit Config", "Save"});
    EXPECT_TRUE(GuiDriver::Shows("The program starts with its own settings and does not read the file")) << gui.Text();
    EditorConfig read;
    float gamma = 0.0f;
    ASSERT_TRUE(ReadConfigFile(UserFile(), read, gamma));
    EXPECT_EQ(read.fps, 30.0f);
    EXPECT_EQ(read.width, 1024);
    EXPECT_EQ(read.height, 800);
}
