#include "enginesystems.h"
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
