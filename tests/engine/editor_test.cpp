#include "editor.h"
#include "editorworld.h"

#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

namespace
{
const Editor::ProfilerEntry& EntryOf(const Editor& editor, SystemId id)
{
    return editor.Profiler().at(id);
}
}

TEST(EditorProfiler, KeepsTheLast150SharesOfTheFramePerSystem)
{
    Editor editor;
    editor.CreateProfilerEntries();
    ASSERT_EQ(editor.Profiler().size(), 8u);

    for (int sample = 1; sample <= 151; ++sample)
        editor.RecordSystemTime(SystemId::Physics, 0.001f * static_cast<float>(sample), 0.1f);

    const auto& history = EntryOf(editor, SystemId::Physics).history;
    EXPECT_NEAR(history.back(), 151.0f * 0.001f / 0.1f * 100.0f, 1e-3f);
    EXPECT_NEAR(history.front(), 2.0f * 0.001f / 0.1f * 100.0f, 1e-4f); // the first sample has gone
    EXPECT_TRUE(EntryOf(editor, SystemId::Physics).updated);
    EXPECT_FALSE(EntryOf(editor, SystemId::Audio).updated);
    EXPECT_FLOAT_EQ(editor.FrameTime(), 0.1f);
}

TEST(EditorProfiler, TinyOrUndefinedSharesAreZeroAndUnknownSystemsIgnored)
{
    Editor editor;
    editor.CreateProfilerEntries();
    struct Case
    {
        float update, frame;
    } cases[] = {{1e-12f, 1.0f}, {0.001f, 0.0f}, {0.0f, 0.0f}};
    for (const Case& c : cases)
    {
        editor.RecordSystemTime(SystemId::Input, c.update, c.frame);
        EXPECT_EQ(EntryOf(editor, SystemId::Input).history.back(), 0.0f) << c.update << " / " << c.frame;
    }

    editor.RecordSystemTime(SystemId::ScriptCalls, 1.0f, 1.0f);
    for (const auto& [id, entry] : editor.Profiler())
        EXPECT_EQ(entry.updated, id == SystemId::Input);
}

TEST(EditorObjectTable, AnIdAlreadyPresentKeepsItsFlag)
{
    Editor editor;
    editor.AddObjectEntry(7, true);
    editor.AddObjectEntry(7, false);
    editor.AddObjectEntry(8, false);
    EXPECT_TRUE(editor.Objects().at(7));
    EXPECT_FALSE(editor.Objects().at(8));
}

namespace
{
// The editor's GUI frames without a window, over the fixture level.
class EditorFrames : public EditorWorld
{
protected:
    // The windows drawn in the last frame.
    static std::vector<std::string> Drawn()
    {
        std::vector<std::string> names;
        for (const char* name : {"Hierarchy", "Systems", "Console", "Inspector", "Scene", "Performance"})
            if (const ImGuiWindow* window = ImGui::FindWindowByName(name); window && window->Active)
                names.push_back(name);
        return names;
    }
    std::vector<std::string> Frame()
    {
        editor().Update();
        return Drawn();
    }
};
}

TEST_F(EditorFrames, PlayingHidesTheEditingWindowsAndPausingBringsThemBack)
{
    editor().SetPerformanceOpen(true);
    const std::vector<std::string> editing = {"Hierarchy", "Systems", "Console", "Inspector", "Scene", "Performance"};
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(Frame(), editing);
    EXPECT_TRUE(editor().EditingView());

    editor().SetPlaying(true);
    core.SetPlaying(true);
    EXPECT_FALSE(editor().EditingView());
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(Frame(), (std::vector<std::string>{"Scene", "Performance"}));

    editor().SetPaused(true);
    core.SetPlaying(false);
    EXPECT_TRUE(editor().EditingView());
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_EQ(Frame(), editing);
}

TEST_F(EditorFrames, TheFirstFrameLoadsOnlyThePrefabFilesNotHeldYet)
{
    WriteText("Assets/Prefabs/Urn_1003_Prefab.xml",
              "<Prefabs>\n\t<Object>\n\t\t<Name>Urn</Name>\n\t\t<ID>1003</ID>\n\t</Object>\n</Prefabs>\n");
    editor().ScanAssetFolders(Root());
    testing::internal::CaptureStdout();
    editor().Update();
    editor().Update();
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output.find("reissue"), std::string::npos) << output;
    EXPECT_EQ(factory.GetPrefabs().size(), 3u);
    EXPECT_EQ(editor().PrefabFlags().size(), 3u);
    EXPECT_NE(factory.FindPrefab("Urn"), nullptr);
}
