#include "editor.h"

#include <gtest/gtest.h>

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
