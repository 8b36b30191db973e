// The UI component editors on their own, and the script editor in the editor's frames over a real script library.
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_recttransform.h"
#include "editorscripts.h"
#include "editoruicomponents.h"
#include "editorworld.h"
#include "guidriver.h"
#include "headlessgui.h"
#include "logic.h"
#include "monobehavior.h"
#include "scripthost.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

using ::testing::ElementsAre;

namespace
{
// Presses at the item of that id and drags it by dx, in two moves, then lets go.
void DragItem(HeadlessGui& gui, const char* label, bool firstOfSeveral, float dx, const std::function<void()>& draw)
{
    ImGuiID id = 0;
    gui.Frame([&] {
        ImGui::PushID(label);
        // A multi-field drag's fields are numbered inside its label's id.
        if (firstOfSeveral)
        {
            ImGui::PushID(0);
            id = ImGui::GetID("");
            ImGui::PopID();
        }
        ImGui::PopID();
        if (!firstOfSeveral)
            id = ImGui::GetID(label);
        draw();
    });
    const std::optional<ImVec2> at = gui.Find(id, 20.0f, draw);
    ASSERT_TRUE(at) << label;
    gui.Drag(*at, dx / 2.0f, 2, draw);
}
} // namespace

TEST(UIComponentEditors, RectScaleStopsAtZeroAndAlphaBetweenZeroAndOne)
{
    HeadlessGui gui;
    RectTransform rect;
    rect.SetScale({0.5f, 0.5f});
    const std::function<void()> rectEditor = [&] { inspector::ShowRectTransformEditor(rect); };
    DragItem(gui, "##rectTxScale", true, -300.0f, rectEditor);
    EXPECT_EQ(rect.GetScale().x, 0.0f);
    EXPECT_EQ(rect.GetScale().y, 0.5f);

    Image image;
    image.SetAlpha(0.5f);
    const std::function<void()> imageEditor = [&] { inspector::ShowImageEditor(image); };
    DragItem(gui, "##rectTxRot", false, 300.0f, imageEditor);
    EXPECT_EQ(image.GetAlpha(), 1.0f);
    DragItem(gui, "##rectTxRot", false, -300.0f, imageEditor);
    EXPECT_EQ(image.GetAlpha(), 0.0f);
}

TEST(UIComponentEditors, ARendererOutsideAnyCanvasSaysSo)
{
    HeadlessGui gui;
    CanvasRenderer renderer;
    gui.Frame([&] { inspector::ShowCanvasRendererEditor(renderer); });
    EXPECT_TRUE(GuiDriver::Shows("In Canvas: Not attached to any canvases.")) << GuiDriver::Text();
}

namespace
{
// The script library in its folders, ready before the world's Logic is made.
struct LibraryFolders
{
    explicit LibraryFolders(const std::string& library) { folders.Install(library); }
    ScriptHostFolders folders;
};

// The fixture level in the editor with a real Logic over the library.
class ScriptEditor : protected LibraryFolders, public EditorWorld
{
protected:
    explicit ScriptEditor(const std::string& library = GAME_LIBRARY_PATH)
        : LibraryFolders(library), EditorWorld([this](SystemId id) -> std::unique_ptr<System> {
              if (id != SystemId::Logic)
                  return nullptr;
              return std::make_unique<Logic>(folders.LibraryFolder(), folders.UserFolder());
          })
    {
        testing::internal::CaptureStdout();
        logic().Init();
        testing::internal::GetCapturedStdout();
        editor().RefreshPrefabList();
    }

    Logic& logic() { return *core.GetLogic(); }
    GameObject& Live(const std::string& name) { return *factory.FindObject(name); }
    GameObject& Crate() { return *factory.FindPrefab("Crate"); }
    static MonoBehaviorDLL& Holder(GameObject& object)
    {
        if (auto* holder = object.GetComponent<MonoBehaviorDLL>())
            return *holder;
        return static_cast<MonoBehaviorDLL&>(*object.AddComponent("MonoBehavior"));
    }
    // The object holding instances of the scripts, as a loaded scene leaves it.
    GameObject& WithScripts(GameObject& object, std::initializer_list<const char*> scripts)
    {
        MonoBehaviorDLL& holder = Holder(object);
        for (const char* name : scripts)
        {
            holder.SetScript(name, logic().FindScript(name));
            holder.FindExact(name)->owner = &object;
        }
        return object;
    }
    void Inspect(GameObject& object, InspectorKind kind = InspectorKind::SceneObject)
    {
        editor().SetInspected(&object, {}, kind, false);
        gui.Open({"Inspector", "MonoBehaviorDLL"});
        gui.Frame(2);
    }
    const std::vector<std::unique_ptr<property::InspectorItem>>& Items()
    {
        return editor().ScriptEditor().inspector.Groups().at(0).items;
    }
    void AddScript(const std::string& name)
    {
        editor().ScriptEditor().chosenScriptName = name;
        gui.Press({"Inspector", "MonoBehaviorDLL", "Add Script"});
    }

    GuiDriver gui{editor()};
};
} // namespace

TEST_F(ScriptEditor, ListsTheScriptsInNameOrderAndShowsThoseWithPropertiesAsATree)
{
    Inspect(WithScripts(Live("Altar"), {"Turret", "Heart"}));
    EXPECT_TRUE(gui.Shows("Scripts Attached to the Object:")) << gui.Text();
    EXPECT_TRUE(gui.Shows("1. Heart 2. Turret Scripts Add Script")) << gui.Text();
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_STREQ(Items()[0]->described->className, "Turret");
    // The root, the closed link to the base's table, then the two values.
    EXPECT_TRUE(gui.Shows("Turret MonoBehaviorInterf range 0.000 timeBetweenShots 0.000")) << gui.Text();
}

TEST_F(ScriptEditor, AnEditedValueChangesTheScriptAndIsOneEntryOfTheHistory)
{
    GameObject& altar = WithScripts(Live("Altar"), {"Turret"});
    Inspect(altar);
    // The value cell of "range" right under the Turret root: the row's id is its name's hash at depth 0.
    ImGuiID row = GuiDriver::Id({"Inspector", "MonoBehaviorDLL", "Turret"});
    const int key = static_cast<int>(property::PropertyNameHash("range"));
    row = ImHashData(&key, sizeof key, row);
    gui.Type(ImHashStr("##value", 0, row), "12.5");
    property::inspector& inspector = editor().ScriptEditor().inspector;
    MonoBehaviorInterface& turret = *Holder(altar).FindExact("Turret");
    EXPECT_EQ(property::ReadProperty(turret.GetPropertyTable(), property::AddressOf(turret), "range"),
              property::PropertyValue(12.5f));
    ASSERT_EQ(inspector.m_UndoSystem.m_lCmds.size(), 1u);
    EXPECT_EQ(inspector.m_UndoSystem.m_lCmds[0].name, "Turret/range");
    EXPECT_EQ(inspector.m_UndoSystem.m_Index, 1);
}

TEST_F(ScriptEditor, AddScriptMatchesNamesExactlyAndRebuildsTheProperties)
{
    GameObject& altar = WithScripts(Live("Altar"), {"PuzzleBombTutorial"});
    Inspect(altar);
    AddScript("Tutorial");
    EXPECT_THAT(Holder(altar).GetAttachedScriptNames(), ElementsAre("PuzzleBombTutorial", "Tutorial"));
    AddScript("Turret");
    gui.Frame();
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_EQ(Items()[0]->object, property::AddressOf(*Holder(altar).FindExact("Turret")));

    // A name that is no script attaches nothing.
    AddScript("NoSuchScript");
    EXPECT_EQ(Holder(altar).GetAttachedScriptNames().size(), 3u);

    // Inspecting nothing lets go of the scripts.
    editor().SetInspected(nullptr, {}, InspectorKind::Nothing, false);
    EXPECT_TRUE(editor().ScriptEditor().inspector.Groups().empty());
}

namespace
{
class FixtureScriptEditor : public ScriptEditor
{
protected:
    FixtureScriptEditor() : ScriptEditor(FIXTURE_SCRIPTS_V1) {}
};
} // namespace

TEST_F(FixtureScriptEditor, AddScriptOnAPrefabReachesItsInstancesAndLeavesThePrefabOutOfLogic)
{
    for (GameObject* object : {&Crate(), &Live("Crate A"), &Live("Crate B")})
        Holder(*object);
    Inspect(Crate(), InspectorKind::Prefab);
    AddScript("Alpha");
    for (GameObject* object : {&Crate(), &Live("Crate A"), &Live("Crate B")})
        EXPECT_NE(Holder(*object).FindExact("Alpha"), nullptr) << object->GetName();
    EXPECT_EQ(Holder(Crate()).FindExact("Alpha")->owner, &Crate());
    TakeFixtureLog(folders.LoadedCopy());
    logic().Update();
    const std::vector<std::string> log = TakeFixtureLog(folders.LoadedCopy());
    EXPECT_THAT(log, testing::Contains("Crate A Alpha Awake"));
    EXPECT_THAT(log, testing::Contains("Crate B Alpha Awake"));
    EXPECT_THAT(log, testing::Not(testing::Contains(testing::HasSubstr("Crate Alpha"))));
}

TEST_F(FixtureScriptEditor, RemovedOrReloadedScriptsAreLetGoBeforeTheyAreDrawn)
{
    GameObject& altar = WithScripts(Live("Altar"), {"Props", "Alpha"});
    Inspect(altar);
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_TRUE(gui.Shows("hits 1 label first")) << gui.Text();

    // The library is rebuilt: Logic has the inspector let go of its tables before the old code goes.
    folders.Install(FIXTURE_SCRIPTS_V2);
    testing::internal::CaptureStdout();
    logic().Update();
    logic().Update();
    EXPECT_THAT(testing::internal::GetCapturedStdout(), testing::HasSubstr("Logic: Loading Scripts ... done"));
    gui.Frame();
    ASSERT_EQ(Items().size(), 1u);
    EXPECT_EQ(Items()[0]->object, property::AddressOf(*Holder(altar).FindExact("Props")));
    EXPECT_TRUE(gui.Shows("hits 1 label first")) << gui.Text();

    Holder(altar).EraseScript("Props");
    gui.Frame();
    EXPECT_TRUE(Items().empty());
    EXPECT_FALSE(gui.Shows("hits 1")) << gui.Text();
}
