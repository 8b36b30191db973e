#pragma once
#include "TorvaneMath.h"
#include "configfile.h"
#include "editorgizmo.h"
#include "editorconsole.h"
#include "editorlayout.h"
#include "gameobjectinterface.h"
#include "namefilter.h"
#include "platform/guibackend.h"
#include "system.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct ImDrawList;
struct ImGuiContext;

namespace platform
{
class Window;
}

class Component;
class GameObject;
class Material;
class ParticleSystem;
class Graphics;
class InputSystem;
class MonoBehaviorDLL;
class ScriptEditorState;

// What the Inspector shows.
enum class InspectorKind : std::uint32_t
{
    Nothing = 0,
    SceneObject = 1,
    Prefab = 2,
    Material = 3,
};

// A file the asset scan found: its name and its folder relative to the scan root, ending in "/".
struct AssetFile
{
    std::string name;
    std::string folder;
    bool operator==(const AssetFile&) const = default;
};

// The render-target pixel under a point of the scene image (image coordinates from its top left): columns
// from the left, rows from the bottom.
std::pair<int, int> ScenePixel(const Vector2& pointInImage, float imageHeight);

// The level editor. It owns the process's GUI context and builds and presents one GUI frame per update;
// Core updates it only in editor mode. It receives no messages.
class Editor : public System
{
public:
    static constexpr std::size_t kProfilerSamples = 150;
    // Play's copy of the scene and of its scene settings, in the user's folder: nothing of the asset tree.
    static constexpr const char* kSceneSnapshot = "tmpScene.xml";
    static constexpr const char* kSceneSettingsSnapshot = "tmpSceneSettings.xml";

    // One system's share of the frame, as percentages, oldest first.
    struct ProfilerEntry
    {
        std::array<float, kProfilerSamples> history{};
        bool updated = false;
    };

    // The window is the one the GUI is drawn in; without one the GUI runs without drawing anything.
    explicit Editor(platform::Window* window = nullptr);
    // Removes the per-user scene snapshot and shuts the GUI down.
    ~Editor() override;

    // Scans the asset folders, starts the GUI back ends and readies the editor camera and the profiler.
    void Init() override;
    // The editor frame: output routing, the first frame's prefab reload, then one GUI frame.
    void Update() override;
    void RegisterObject(GameObject*) override {}
    void UnregisterObject(GameObject*) override {}
    std::string GetName() const override { return "Editor"; }
    void HandleMessage(const BaseMessage&) override {}

    // The windows of one GUI frame, between its start and its end.
    void ShowWindows();

    // Gives the renderer's editor camera its transform and camera, placed at the start view.
    void SetUpEditorCamera();

    // Profiler.
    void CreateProfilerEntries();
    // Called after every system update; systems without a profiler entry are ignored.
    void RecordSystemTime(SystemId id, float updateSeconds, float frameSeconds);
    const std::map<SystemId, ProfilerEntry>& Profiler() const { return profiler_; }
    float FrameTime() const { return frameTime_; }

    // The selection map: objects by id, selected or not. An id already present keeps its flag.
    void AddObjectEntry(ObjectId id, bool flag) { objects_.try_emplace(id, flag); }
    std::unordered_map<ObjectId, bool>& Objects() { return objects_; }
    const std::map<ObjectId, bool>& PrefabFlags() const { return prefabFlags_; }
    const std::vector<GameObject*>& SelectedObjects() const { return selected_; }
    const std::vector<GameObject*>& PickedObjects() const { return picked_; }

    // The asset scan: scene, model and prefab files below the folders worth entering under root.
    void ScanAssetFolders(const std::string& root);
    const std::vector<AssetFile>& SceneFiles() const { return sceneFiles_; }
    const std::vector<AssetFile>& ModelFiles() const { return modelFiles_; }
    const std::vector<AssetFile>& PrefabFiles() const { return prefabFiles_; }
    const std::vector<std::string>& ScriptNames() const { return scriptNames_; }

    // Every prefab of the object factory, unflagged.
    void RefreshPrefabList();
    // The "(?)" beside every name filter, explaining it in a tooltip.
    static void ShowFilterHelp();
    // "Search for: " with that help, and the filter's field below.
    static void ShowSearchField(NameFilter& filter);

    // Chooses what the Inspector shows; reset first marks every live object unselected.
    void SetInspected(GameObject* object, const std::string& material, InspectorKind kind, bool reset);
    // The inspected object, or null; a scene object that has left the live objects meanwhile counts as none.
    GameObject* InspectedObject() const;
    InspectorKind GetInspectorKind() const { return inspectorKind_; }
    bool InspectedIsPrefab() const { return inspectedIsPrefab_; }
    const std::string& InspectedMaterial() const { return inspectedMaterial_; }

    // A click on an object in the hierarchy or the scene: it becomes the one selected, or with
    // addToSelection joins (or toggles in) the selection; it is inspected either way.
    void SelectObject(GameObject* object, bool addToSelection);
    // Dropping the object of that id onto a row: only a top-level row takes it, and never one below it.
    // True when it became the row's child.
    bool DropOnto(GameObject& row, ObjectId dragged);
    // The canvas and its elements as a UI layout file named after it; false, after a report, for a name that
    // is empty or could lead out of the UI folder, and when the file could not be written.
    bool SaveCanvas(GameObject& canvas);
    // Turns a top-level scene object into a prefab: out of the hierarchy, every system's lists and the
    // scene, and saved with the prefabs.
    bool ConvertToPrefab(GameObject& object);
    // Places the editor camera one unit behind the object along the camera's view.
    void FrameObject(const GameObject& object);

    // Scene view.
    void PickObjectAtCursor();
    // Moves the editor camera half its mouse sensitivity along its view, by the sign of the wheel.
    void ZoomEditorCamera();
    void MoveEditorCamera();
    // Where the scene picture was drawn in the last frame, in GUI screen coordinates.
    const PanelRect& SceneImage() const { return sceneImage_; }
    // Editing, or paused in play: the editor camera's view.
    bool EditingView() const { return !playing_ || paused_; }

    // The editor's own play state; Play and Stop set it.
    void SetPlaying(bool playing) { playing_ = playing; }
    void SetPaused(bool paused) { paused_ = paused; }
    bool IsPlaying() const { return playing_; }
    bool IsPaused() const { return paused_; }
    void SetPerformanceOpen(bool open) { performanceOpen_ = open; }

    EditorConsole& Console() { return console_; }

private:
    void MakeGuiContextCurrent() const;
    void ReloadPrefabs();
    EditorLayout CurrentLayout() const;

    // Keys of the input system, except keyboard keys while a text field has the keyboard.
    bool KeyTriggered(std::uint16_t key) const;
    bool KeyPressed(std::uint16_t key) const;

    void ShowHierarchyWindow(const PanelRect& place);
    void ShowHierarchyTree(GameObject& top);
    // One row; true when it is open with children, whose rows then follow (nested when nest is set, to be
    // popped after them).
    bool ShowHierarchyNode(GameObject& object, bool nest);
    void ShowNodeMenu(GameObject& object);
    void ShowConsoleWindow(const PanelRect& place);
    void ShowConsoleSwitch();
    void ShowInspectorWindow(const PanelRect& place);
    void ShowSystemsWindow(const PanelRect& place);
    void ShowPerformanceWindow();
    void ShowSceneWindow(const PanelRect& place);
    void ShowSceneImage(Graphics& graphics, bool editing);
    // Where the mouse is over the image, for the next frame's picking and flight.
    void TrackSceneMouse(bool visible);
    bool SceneUnderPointer() const;

    // Not built yet; each keeps its place in the frame.

    platform::Window* window_;
    platform::GuiBackend backend_;
    ImGuiContext* context_;
    EditorConsole console_;

    std::vector<AssetFile> sceneFiles_;
    std::vector<AssetFile> modelFiles_;
    std::vector<AssetFile> prefabFiles_;
    std::string assetRoot_;
    std::vector<std::string> scriptNames_;

    std::unordered_map<ObjectId, bool> objects_;
    std::map<ObjectId, bool> prefabFlags_;
    std::map<std::string, bool> materialFlags_;
    std::vector<GameObject*> selected_;
    std::vector<GameObject*> picked_;
    GameObject* inspected_ = nullptr;
    ObjectId inspectedId_ = 0;
    InspectorKind inspectorKind_ = InspectorKind::Nothing;
    bool inspectedIsPrefab_ = false;
    std::string inspectedMaterial_;
    NameFilter hierarchyFilter_;

    // The scene view, in GUI screen coordinates.
    Vector2 mouseInImage_;
    PanelRect sceneImage_;
    Vector2 imageSize_;
    bool sceneHovered_ = false;
    bool mouseOverImage_ = false;

    bool showDemoWindow_ = false;
    bool prefabReloadPending_ = true;
    bool renderingSettingsOpen_ = false;
    bool editConfigOpen_ = false;
    bool textureWindowOpen_ = false;
    bool drawColliders_ = false;
    bool performanceOpen_ = false;
    bool performanceOpenEditing_ = false;
    bool performanceOpenPlaying_ = false;
    bool playing_ = false;
    bool paused_ = false;

    std::map<SystemId, ProfilerEntry> profiler_;
    float frameTime_ = 0.0f;

    // The transform gizmo, its toolbar, Rendering Settings, Edit Config and the main menu bar
    // (editorgizmo*.cpp, editortoolbar.cpp, editorconfig.cpp, editormenubar.cpp).
public:
    gizmo::Settings& GizmoSettings() { return gizmoSettings_; }
    const gizmo::Context& GizmoState() const { return gizmoContext_; }
    // A handle or the bounds box is being dragged: the scene view then picks nothing.
    bool GizmoInUse() const { return gizmoContext_.dragging || gizmoContext_.boundsDragging; }

    // The editor's copy of "config.xml": Edit Config shows it, the Window menu refreshes it.
    EditorConfig& Config() { return config_; }
    // Takes over the per-user file's values; its gamma goes straight to the renderer.
    void ReadConfigForEditor();
    // Writes the copy with the renderer's gamma; false when the file could not be written.
    bool SaveConfigForEditor();
    // A dimmed "(?)" that explains itself in a tooltip.
    static void ShowHelpMarker(const char* text);

    // File > New Scene: a light and a camera under the generated dusk sky, nothing selected, no history.
    void NewScene();
    // Assets > Create > Material: a material file named after the first free "New Material" name, cached
    // under that name; the name, or empty when nothing could be written.
    std::string CreateMaterialFile();
    // A GameObject menu item's object, recorded for undo; null when it could not be made.
    GameObject* CreateFromMenu(const std::string& item);
    // The scene files the Load popup offers: level files, never the Play snapshot.
    std::vector<AssetFile> LoadableScenes() const;
    bool DebugDrawOpen() const { return debugDrawOpen_; }

private:
    void GizmoBeginFrame();
    void DrawSceneGizmo();
    void ShowGizmoToolbar();
    void ShowToolButton(const char* label, int operation, std::uint16_t key, const char* tip);
    void ShowSnapWindows();
    void ShowRenderingSettings();
    void ShowEditConfig();
    void ShowMainMenuBar();
    void ShowFileMenu(bool& openLoad);
    void ShowAssetsMenu();
    void ShowGameObjectMenu();
    void ShowWindowMenu();
    void ShowToolStrip();
    void ShowLoadPopup(bool open);
    void PlaceUnderCanvas(Graphics& graphics, GameObject& image);
    // Went up this frame; keyboard keys not while a text field has the keyboard.
    bool KeyReleased(std::uint16_t key) const;

    gizmo::Settings gizmoSettings_;
    gizmo::Context gizmoContext_;
    ImDrawList* gizmoDrawList_ = nullptr;
    EditorConfig config_;
    bool configSaveFailed_ = false;
    bool debugDrawOpen_ = false;
    bool debugDrawOverlaps_ = false;

    // Undo and redo, Play and Stop, the shortcuts, scene files, the Project and Prefabs windows
    // (editoractions.*, editorplay.cpp, editorbrowsers.cpp).
public:
    class Actions;
    class ObjectAction;
    class ComponentAction;
    template <class T>
    class ComponentEditAction;

    // Parks every picked object that is not a prefab, one undo entry each; the neighbour of the last one in
    // the live list becomes the one picked.
    void DeleteSelectedObjects();
    // Clones every picked object that is not a prefab, one undo entry each; the clones become the picked ones.
    void DuplicatePickedObjects();
    // Snapshots the scene and runs it; false, after a report, when the snapshot could not be written.
    bool PlayScene();
    // Throws the played scene away for the snapshot; false, after a report, when the snapshot is unreadable:
    // the played objects then stay, stopped.
    bool StopScene();
    // Only while playing.
    void TogglePauseScene();
    // F10: frees a captured cursor, else stops the scene as Stop does; nothing while editing.
    void HandleStopKey();
    // Opens the Save popup at the next shortcut pass; refused while playing.
    void RequestSave(bool saveAs);
    // The level, its scene settings and every prefab; empty when all were written, else what failed.
    std::string SaveScene(const std::string& name);
    // SaveScene for a name typed in the Save popup, which then becomes the scene's name; a name that is empty
    // or could lead out of the scene folder is refused.
    std::string SaveSceneAs(const std::string& name);
    // Replaces the scene with the level file folder + name below the asset root; it becomes the scene saved.
    void LoadScene(const std::string& name, const std::string& folder);
    // Forgets what refers to the scene being replaced: the history, the picked, selected and inspected objects.
    void ForgetScene();
    const std::string& SceneName() const { return sceneName_; }
    bool SceneLoaded() const { return sceneLoaded_; }
    bool DrawsColliders() const { return drawColliders_; }
    int ProjectTab() const { return projectTab_; }
    void SetMaterialColumns(int columns) { materialColumns_ = columns; }
    // A scene object made from the prefab, named after it with " Prefab " added, and the one picked; not
    // recorded for undo.
    GameObject* InstantiatePrefab(const GameObject& prefab);

private:
    void HandleEditorShortcuts();
    void ShowSavePopups();
    // Destroys the played objects and loads the snapshot; false when it is unreadable.
    bool RestoreSnapshot();
    // At exit: the snapshot and its scene settings.
    void RemoveSceneSnapshot() const;
    void ShowProjectWindow();
    void ShowMaterialList();
    void ShowPrefabsWindow();
    void ShowPrefabRow(GameObject& prefab);

    std::string sceneName_;
    bool sceneLoaded_ = false;
    bool saveAs_ = false;
    bool saveRequested_ = false;
    std::array<char, 128> saveName_{};
    std::string saveFailure_;
    ObjectId pauseCamera_ = 0;
    int projectTab_ = 1;
    int materialColumns_ = 10;
    NameFilter projectFilter_;
    NameFilter prefabFilter_;
    // ---- Inspector: the object's header and component editors, Add and Remove Component, the material
    // inspector and texture picker, the particle editor and its preview. ----
public:
    // Set when play starts: the script editor then rebuilds what it shows, and clears it.
    bool refreshScriptInspector = false;
    // The slot the texture picker fills: "diffMap", "specMap", "nrmMap", "heightMap" or "particleTexture".
    const std::string& TextureTarget() const { return textureTarget_; }
    void OpenTexturePicker(std::string target);
    bool TexturePickerOpen() const { return textureWindowOpen_; }
    // A click on a texture in the picker: the inspected material's slot or the inspected object's particles.
    void PickTexture(const std::string& textureName);

private:
    void ShowObjectInfo();
    void ShowObjectHeader(GameObject& object);
    void ShowSavePrefabPopup(GameObject& object);
    void ShowComponentEditor(GameObject& object, Component& component);
    // The script holder's and the UI components' editors (type ids 14 to 18), inside their open tree nodes.
    void ShowScriptAndUIEditor(GameObject& object, Component& component);
    void ShowAddComponentPopup(GameObject& object);
    void ShowRemoveComponentPopup(GameObject& object);
    void ShowMaterialInspector();
    void ShowMaterialFields(Material& material);
    // Blended renderers draw from copies of their materials: an edit of the cached one reaches every copy.
    void RefreshMaterialCopies(const std::string& key);
    void ShowTexturePicker(bool* open);
    void ShowParticleSystemEditor(GameObject& object, ParticleSystem& particles);
    void ShowParticleEffectWindow();

    std::string textureTarget_;
    std::string addComponentChoice_ = "AABBCollider";
    std::string removeComponentChoice_ = " ";
    bool dontAskPrefabSave_ = false;
    NameFilter textureFilter_;

    // ---- Script editor: the inspected object's scripts, "Add Script" and their properties. ----
public:
    // Made the first time the script editor is drawn.
    ScriptEditorState& ScriptEditor();

private:
    void ShowScriptEditor(GameObject& object, MonoBehaviorDLL& holder);
    void AddChosenScript(GameObject& object, MonoBehaviorDLL& holder);
    // Inspecting nothing: the property inspector lets go of the scripts it showed.
    void ForgetScriptProperties();

    std::unique_ptr<ScriptEditorState> scriptEditor_;
};
