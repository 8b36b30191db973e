// The editor system and its frame: the GUI context, the windows pass, the Console and Inspector windows.
#include "editor.h"
#include "editorkeys.h"
#include "editorscripts.h"

#include "camerainterface.h"
#include "core.h"
#include "editoractions.h"
#include "gameobject.h"
#include "graphics.h"
#include "helpers.h"
#include "imgui_compat.h"
#include "inputsystem.h"
#include "logic.h"
#include "mainwindow.h"
#include "objectfactory.h"
#include "platform/window.h"
#include "startup.h"
#include "transforminterface.h"

#include <iostream>

namespace
{
using namespace editorkeys;

// The editor camera's start view: above and behind the origin, looking along +z.
const Vector3 kEditorCameraStart(0.0f, 2.0f, -10.0f);
constexpr float kEditorCameraFov = 60.0f;
constexpr float kEditorCameraNear = 0.1f;
constexpr float kEditorCameraFar = 1000.0f;
// The camera's mouse sensitivity is the editor's fly speed.
constexpr float kEditorCameraSpeed = 5.0f;

bool IsMouseButtonCode(std::uint16_t key)
{
    return key == 1 || key == 2 || key == 4;
}

// Typing into a text field must not drive the editor's keys.
bool TextFieldHasKeyboard(std::uint16_t key)
{
    return !IsMouseButtonCode(key) && ImGui::GetCurrentContext() && ImGui::GetIO().WantTextInput;
}

InputSystem* Input()
{
    return gCore ? gCore->GetInput() : nullptr;
}
}

Editor::Editor(platform::Window* window)
    : System(SystemId::Editor), window_(window), context_(ImGui::CreateContext())
{
    ImGuiContext* previous = ImGui::GetCurrentContext();
    MakeGuiContextCurrent();
    ImGuiIO& io = ImGui::GetIO();
    // Only an editor with a window keeps its layout between runs.
    io.IniFilename = nullptr;
    // Without a window the GUI still runs, at the window's default size.
    io.DisplaySize = ImVec2(MainWindow::DefaultWidth, MainWindow::DefaultHeight);
    io.Fonts->Build();
    ImGui::SetCurrentContext(previous);
}

Editor::~Editor()
{
    // The history names objects of this editor's scene.
    ClearActionHistory();
    RemoveSceneSnapshot();
    if (window_)
        window_->SetGuiBackend(nullptr);
    ImGuiContext* previous = ImGui::GetCurrentContext();
    MakeGuiContextCurrent();
    backend_.Shutdown();
    ImGui::DestroyContext(context_);
    ImGui::SetCurrentContext(previous == context_ ? nullptr : previous);
}

void Editor::MakeGuiContextCurrent() const
{
    ImGui::SetCurrentContext(context_);
}

void Editor::Init()
{
    ScanAssetFolders(ParentFolder(GetExecutableFolder()));
    if (window_)
    {
        MakeGuiContextCurrent();
        if (backend_.Init(*window_))
            ImGui::GetIO().IniFilename = "imgui.ini";
        // The editor's windows take the input first only when the editor runs.
        if (backend_.IsInitialised() && gCore && gCore->IsEditorMode())
            window_->SetGuiBackend(&backend_);
    }
    CreateProfilerEntries();
    SetUpEditorCamera();
    std::cout << "System: Editor \t\t- OK" << std::endl;
}

void Editor::SetUpEditorCamera()
{
    Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr;
    if (!graphics)
        return;
    GameObject& camera = graphics->GetEditorCamera();
    camera.AddComponent("Transform");
    camera.AddComponent("Camera");
    camera.GetTransform()->SetPosition(kEditorCameraStart);
    camera.GetTransform()->SetRotation(Vector3(0.0f, 0.0f, 0.0f));
    CameraInterface* view = camera.GetCamera();
    view->SetFOV(kEditorCameraFov);
    view->SetNear(kEditorCameraNear);
    view->SetFar(kEditorCameraFar);
    view->SetMouseSensitivity(kEditorCameraSpeed);
    graphics->ResetEditorCamera();
}

void Editor::Update()
{
    console_.RouteOutput();
    if (prefabReloadPending_)
        ReloadPrefabs();
    MakeGuiContextCurrent();
    if (backend_.IsInitialised())
        backend_.NewFrame();
    ImGui::NewFrame();
    GizmoBeginFrame();
    ShowWindows();
    ImGui::Render();
    if (backend_.IsInitialised())
        backend_.RenderAndPresent();
}

// The prefab files of the scan; those start-up loaded already are kept as they are.
void Editor::ReloadPrefabs()
{
    if (gFactory)
    {
        for (const AssetFile& file : prefabFiles_)
            gFactory->LoadPrefabFile(assetRoot_ + file.folder + file.name, true);
        if (!prefabFiles_.empty())
            RefreshPrefabList();
    }
    if (Logic* logic = gCore ? gCore->GetLogic() : nullptr)
        for (std::string& name : logic->GetScriptNames())
            scriptNames_.push_back(std::move(name));
    prefabReloadPending_ = false;
}

// The area under the main menu bar. The viewport's work area says the same, but only from the frame after the
// bar first showed: too late for the windows placed on their first frame.
EditorLayout Editor::CurrentLayout() const
{
    const ImGuiViewport* viewport = ImGui::GetMainViewport();
    const float bar = ImGui::GetFrameHeight();
    return LayoutEditor({viewport->Pos.x, viewport->Pos.y + bar, viewport->Size.x, viewport->Size.y - bar});
}

void Editor::ShowWindows()
{
    HandleEditorShortcuts();
    const EditorLayout layout = CurrentLayout();
    if (ImGui::BeginMainMenuBar())
    {
        ShowMainMenuBar();
        ImGui::EndMainMenuBar();
    }
    if (!gCore || !gCore->IsPlaying())
    {
        ShowHierarchyWindow(layout.hierarchy);
        ShowProjectWindow();
        ShowSystemsWindow(layout.systems);
        ShowPrefabsWindow();
        ShowConsoleWindow(layout.console);
        ShowConsoleSwitch();
        ShowInspectorWindow(layout.inspector);
    }
    if (Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr)
        graphics->ClearWindow();
    ShowSceneWindow(layout.scene);
    if (showDemoWindow_)
        ImGui::ShowDemoWindow(&showDemoWindow_);
    if (renderingSettingsOpen_)
        ShowRenderingSettings();
    if (performanceOpen_)
        ShowPerformanceWindow();
    if (editConfigOpen_)
        ShowEditConfig();
    if (textureWindowOpen_)
        ShowTexturePicker(&textureWindowOpen_);
    ShowParticleEffectWindow();
}

void Editor::ShowConsoleWindow(const PanelRect& place)
{
    PlaceNextWindow(place, false);
    if (ImGui::Begin("Console"))
    {
        console_.FlushCapturedOutput();
        const std::vector<std::string>& lines = console_.Lines();
        ImGuiListClipper clipper;
        clipper.Begin(static_cast<int>(lines.size()));
        while (clipper.Step())
            for (int line = clipper.DisplayStart; line < clipper.DisplayEnd; ++line)
                ImGui::TextUnformatted(lines[line].data(), lines[line].data() + lines[line].size());
        ImGui::SetScrollHereY(1.0f);
        console_.ClearCapture();
    }
    ImGui::End();
}

void Editor::ShowConsoleSwitch()
{
    if (KeyPressed(kKeyAlt) && KeyTriggered(kKeyF1))
        console_.Switch();
}

void Editor::ShowInspectorWindow(const PanelRect& place)
{
    PlaceNextWindow(place, false);
    if (ImGui::Begin("Inspector", nullptr, ImGuiWindowFlags_NoCollapse))
    {
        if (inspectorKind_ == InspectorKind::SceneObject || inspectorKind_ == InspectorKind::Prefab)
            ShowObjectInfo();
        else if (inspectorKind_ == InspectorKind::Material)
            ShowMaterialInspector();
    }
    ImGui::End();
}

bool Editor::KeyTriggered(std::uint16_t key) const
{
    InputSystem* input = Input();
    return input && !TextFieldHasKeyboard(key) && input->IsKeyTriggered(key);
}

bool Editor::KeyPressed(std::uint16_t key) const
{
    InputSystem* input = Input();
    return input && !TextFieldHasKeyboard(key) && input->IsKeyPressed(key);
}

bool Editor::KeyReleased(std::uint16_t key) const
{
    InputSystem* input = Input();
    return input && !TextFieldHasKeyboard(key) && input->IsKeyReleased(key);
}

void Editor::RefreshPrefabList()
{
    prefabFlags_.clear();
    if (!gFactory)
        return;
    for (const GameObject* prefab : gFactory->GetPrefabs())
        prefabFlags_[prefab->GetID()] = false;
}

void Editor::ShowSearchField(NameFilter& filter)
{
    ImGui::TextUnformatted("Search for: ");
    ImGui::SameLine();
    ShowFilterHelp();
    filter.Draw("Filter (inc,-exc)");
}

void Editor::ShowFilterHelp()
{
    ShowHelpMarker("Filter usage:\n"
                   "  \"\"         display all lines\n"
                   "  \"xxx\"      display lines containing \"xxx\"\n"
                   "  \"xxx,yyy\"  display lines containing \"xxx\" or \"yyy\"\n"
                   "  \"-xxx\"     hide lines containing \"xxx\"");
}
