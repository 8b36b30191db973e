// The editor's main menu bar: the File, Assets, GameObject and Window menus, the tool strip and the gizmo.
#include "editor.h"
#include "editorkeys.h"

#include "c_camera.h"
#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_light.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_particlesystem.h"
#include "c_recttransform.h"
#include "core.h"
#include "editoractions.h"
#include "gameobject.h"
#include "graphics.h"
#include "imgui_compat.h"
#include "material.h"
#include "objectfactory.h"
#include "platform/files.h"
#include "resourcemanager.h"
#include "serializer.h"
#include "transforminterface.h"

#include <sstream>

namespace
{
using namespace editorkeys;
constexpr float kStripGap = 50.0f;
constexpr const char* kNewMaterial = "New Material";
constexpr const char* kMeshItems[] = {"Cube", "Sphere", "Capsule", "Plane"};
// One of the skies the build generates: a new scene names nothing the asset tree lacks.
constexpr const char* kNewSceneSky = "SplashSky";

Graphics* GraphicsSystem()
{
    return gCore ? gCore->GetGraphics() : nullptr;
}

// The presets add their component only to an object without one of its kind.
template <class T>
T* AddMissing(GameObject& object, const char* elementName)
{
    if (object.GetComponent<T>())
        return nullptr;
    return dynamic_cast<T*>(object.AddComponent(elementName));
}

void AddDirectionalLightPreset(GameObject& object)
{
    if (auto* light = AddMissing<DirectionalLight>(object, "DirectionalLight"))
    {
        light->SetAmbient(Vector3(0.05f, 0.05f, 0.05f));
        light->SetDiffuse(Vector3(1.0f, 1.0f, 1.0f));
        light->SetSpecular(Vector3(1.0f, 1.0f, 1.0f));
        light->SetIntensity(1.0f);
        light->SetDirection(Vector3(0.0f, -1.0f, -1.0f));
    }
}

void AddCameraPreset(GameObject& object)
{
    if (auto* camera = AddMissing<Camera>(object, "Camera"))
    {
        camera->SetFOV(60.0f);
        camera->SetNear(0.1f);
        camera->SetFar(100.0f);
        camera->SetMouseSensitivity(0.1f);
    }
}

void AddCanvasPreset(GameObject& object)
{
    if (auto* canvas = AddMissing<Canvas>(object, "Canvas"))
        canvas->SetPPU(100u);
}

void SetUnitScale(GameObject& object)
{
    if (TransformInterface* transform = object.GetTransform())
        transform->SetScale(Vector3(1.0f, 1.0f, 1.0f));
}

// A UI element or canvas has a RectTransform or nothing in place of the Transform.
void DropTransform(GameObject& object)
{
    object.RemoveComponentByName("Transform");
}

// The material of the name, written as a material file through a temporary, so a failed write keeps nothing
// half done.
bool WriteMaterialFile(const std::string& path, const Material& material)
{
    std::ostringstream text;
    {
        XMLWriter writer(text);
        material.Serialize(writer);
    }
    return platform::WriteFileSafely(path, text.view());
}
}

void Editor::NewScene()
{
    if (!gFactory)
        return;
    gFactory->DestroyAllObjects();
    ForgetScene();
    sceneLoaded_ = false;
    GameObject* light = gFactory->SpawnObject("Directional Light", 0);
    GameObject* camera = gFactory->SpawnObject("Main Camera", 0);
    AddDirectionalLightPreset(*light);
    AddCameraPreset(*camera);
    if (Graphics* graphics = GraphicsSystem())
    {
        graphics->RegisterObject(light);
        graphics->RegisterObject(camera);
        graphics->SetSkybox(kNewSceneSky);
    }
    SetInspected(nullptr, "", InspectorKind::Nothing, true);
    picked_.clear();
}

std::string Editor::CreateMaterialFile()
{
    Graphics* graphics = GraphicsSystem();
    ResourceManager* resources = graphics ? graphics->GetResourceManager() : nullptr;
    if (!resources)
        return {};
    const std::string folder = resources->RootFolder() + "Assets/Materials/";
    // Named after its file, as the cache keys materials; neither a cached material nor a file is replaced.
    std::string name = kNewMaterial;
    for (int number = 1; resources->materials.contains(name) || platform::Exists(folder + name + ".xml"); ++number)
        name = std::string(kNewMaterial) + " " + std::to_string(number);
    Material material(Vector4(0.8f, 0.8f, 0.8f, 1.0f), Vector4(0.8f, 0.8f, 0.8f, 1.0f), Vector2(1.0f, 1.0f), 32.0f);
    material.name = name;
    if (!WriteMaterialFile(folder + name + ".xml", material))
        return {};
    resources->materials.emplace(name, material);
    return name;
}

GameObject* Editor::CreateFromMenu(const std::string& item)
{
    const bool mesh = std::ranges::find(kMeshItems, item) != std::end(kMeshItems);
    const bool selected = mesh || item == "Empty Object" || item == "ParticleSystem" || item == "Camera";
    GameObject* object = CreateObjectRecorded(item == "ParticleSystem" ? "Empty Object" : item);
    Graphics* graphics = GraphicsSystem();
    if (!object)
        return nullptr;
    if (item == "Empty Object" || item == "Camera" || mesh)
        SetUnitScale(*object);
    if (mesh)
    {
        AddMissing<MeshFilter>(*object, "MeshFilter");
        AddMissing<MeshRenderer>(*object, "MeshRenderer");
        object->GetComponent<MeshFilter>()->SetMeshName(item);
    }
    else if (item == "Image")
    {
        DropTransform(*object);
        AddMissing<CanvasRenderer>(*object, "CanvasRenderer");
        AddMissing<RectTransform>(*object, "RectTransform");
        AddMissing<Image>(*object, "Image");
    }
    else if (item == "Canvas")
    {
        DropTransform(*object);
        AddCanvasPreset(*object);
    }
    else if (item == "DirectionalLight")
        AddDirectionalLightPreset(*object);
    else if (item == "ParticleSystem")
        AddMissing<ParticleSystem>(*object, "ParticleSystem");
    else if (item == "Camera")
        AddCameraPreset(*object);
    if (graphics && item != "Empty Object")
        graphics->RegisterObject(object);
    if (graphics && item == "Image")
        PlaceUnderCanvas(*graphics, *object);
    if (selected)
    {
        picked_ = {object};
        SetInspected(object, "", InspectorKind::SceneObject, true);
    }
    return object;
}

// A new image joins the last canvas, which is made (and not recorded) when there is none.
void Editor::PlaceUnderCanvas(Graphics& graphics, GameObject& image)
{
    if (graphics.canvases.active.empty() && gFactory)
    {
        GameObject* canvas = gFactory->SpawnObject("Canvas", 0);
        DropTransform(*canvas);
        AddCanvasPreset(*canvas);
        graphics.AddCanvas(canvas);
    }
    if (!graphics.canvases.active.empty())
        graphics.canvases.active.back()->AddChild(&image);
}

std::vector<AssetFile> Editor::LoadableScenes() const
{
    std::vector<AssetFile> scenes;
    for (const AssetFile& file : sceneFiles_)
        if (file.name != kSceneSnapshot && file.name.find(".xml") != std::string::npos)
            scenes.push_back(file);
    return scenes;
}

void Editor::ShowMainMenuBar()
{
    bool openLoad = false;
    ShowFileMenu(openLoad);
    ShowAssetsMenu();
    ShowGameObjectMenu();
    ShowWindowMenu();
    ShowToolStrip();
    DrawSceneGizmo();
    ShowLoadPopup(openLoad);
}

void Editor::ShowFileMenu(bool& openLoad)
{
    if (!ImGui::BeginMenu("File"))
        return;
    if (!playing_ && ImGui::MenuItem("New Scene"))
        NewScene();
    if (ImGui::MenuItem("Save", "Ctrl+S"))
        RequestSave(false);
    ImGui::Separator();
    if (ImGui::MenuItem("Save as", "Ctrl+Shift+S"))
        RequestSave(true);
    ImGui::Separator();
    if (ImGui::MenuItem("Load"))
        openLoad = true;
    ImGui::Separator();
    Graphics* graphics = GraphicsSystem();
    ResourceManager* resources = graphics ? graphics->GetResourceManager() : nullptr;
    if (ImGui::BeginMenu("Load Canvas"))
    {
        if (resources && gFactory)
            for (const std::string& name : resources->uiFiles)
                if (ImGui::MenuItem(name.c_str()))
                    gFactory->LoadLevelFile(gFactory->GetRootFolder() + "Assets/UI/" + name + ".xml", false);
        ImGui::EndMenu();
    }
    ImGui::EndMenu();
}

void Editor::ShowAssetsMenu()
{
    ImGui::Separator();
    if (!ImGui::BeginMenu("Assets"))
        return;
    if (ImGui::BeginMenu("Create"))
    {
        if (ImGui::MenuItem("Material"))
            CreateMaterialFile();
        ImGui::EndMenu();
    }
    ImGui::EndMenu();
}

void Editor::ShowGameObjectMenu()
{
    ImGui::Separator();
    if (!ImGui::BeginMenu("GameObject"))
        return;
    std::string chosen;
    auto item = [&chosen](const char* label) {
        if (ImGui::MenuItem(label))
            chosen = label;
    };
    item("Empty Object");
    for (const char* mesh : kMeshItems)
        item(mesh);
    ImGui::Separator();
    if (ImGui::BeginMenu("UI"))
    {
        item("Image");
        ImGui::Separator();
        item("Canvas");
        ImGui::EndMenu();
    }
    ImGui::Separator();
    if (ImGui::BeginMenu("Light"))
    {
        item("DirectionalLight");
        ImGui::EndMenu();
    }
    ImGui::Separator();
    item("ParticleSystem");
    item("Camera");
    ImGui::EndMenu();
    if (!chosen.empty())
        CreateFromMenu(chosen);
}

void Editor::ShowWindowMenu()
{
    ImGui::Separator();
    if (!ImGui::BeginMenu("Window"))
        return;
    ImGui::MenuItem("Rendering Settings", nullptr, &renderingSettingsOpen_);
    ImGui::MenuItem("ImGui Demo", nullptr, &showDemoWindow_);
    ImGui::Separator();
    // Every click refreshes the copy from the file, closing as well as opening.
    if (ImGui::MenuItem("Edit Config", nullptr, &editConfigOpen_))
        ReadConfigForEditor();
    if (ImGui::MenuItem("Performance", nullptr, &performanceOpen_))
    {
        bool& remembered = EditingView() ? performanceOpenEditing_ : performanceOpenPlaying_;
        remembered = !remembered;
    }
    ImGui::EndMenu();
}

void Editor::ShowToolStrip()
{
    ImGui::Dummy(ImVec2(kStripGap, 0.0f));
    const bool corePlaying = gCore && gCore->IsPlaying();
    const char* play = corePlaying ? "Stop" : paused_ ? "Stop Press F5" : "Play Press F5";
    if (ImGui::Button(play) || KeyTriggered(kKeyF5))
    {
        if (playing_)
            StopScene();
        else
            PlayScene();
    }
    // Drawn at half the alpha while there is nothing to pause.
    ImGui::PushStyleVar(ImGuiStyleVar_DisabledAlpha, 0.5f);
    ImGui::BeginDisabled(!playing_);
    const bool pauseClicked = ImGui::Button(paused_ ? "UnPause" : " Pause");
    ImGui::EndDisabled();
    ImGui::PopStyleVar();
    if (pauseClicked || KeyReleased(kKeyF6))
        TogglePauseScene();
    if (ImGui::Button("Debug Draw") || KeyReleased(kKeyF9))
        debugDrawOpen_ = !debugDrawOpen_;
    if (debugDrawOpen_)
    {
        if (ImGui::Begin("Draw Debug Option", nullptr,
                         ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoCollapse | ImGuiWindowFlags_AlwaysAutoResize |
                             ImGuiWindowFlags_NoDocking))
            ImGui::Checkbox("DebugDraw overlaps?", &debugDrawOverlaps_);
        ImGui::End();
    }
    ImGui::Dummy(ImVec2(kStripGap, 0.0f));
    ShowGizmoToolbar();
    ImGui::Dummy(ImVec2(kStripGap, 0.0f));
    ImGui::Text("Current Aspect Ratio: %f", static_cast<double>(imageSize_.x / imageSize_.y));
    ShowHelpMarker("Adjust the Scene window until it becomes roughly 1.6f");
}

void Editor::ShowLoadPopup(bool open)
{
    if (open && !playing_)
        ImGui::OpenPopup("Load Popup");
    if (!ImGui::BeginPopup("Load Popup"))
        return;
    // The scene it would replace is running.
    if (playing_)
    {
        ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
        return;
    }
    ImGui::TextUnformatted("Load Saves: ");
    const AssetFile* chosen = nullptr;
    const std::vector<AssetFile> scenes = LoadableScenes();
    for (const AssetFile& scene : scenes)
        if (ImGui::Selectable(scene.name.c_str()))
            chosen = &scene;
    if (chosen)
        LoadScene(chosen->name, chosen->folder);
    ImGui::EndPopup();
}
