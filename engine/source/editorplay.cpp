// Play, pause and stop inside the editor, the editor's shortcuts and the scene's save and load.
#include "editor.h"
#include "editorkeys.h"

#include "audiosystem.h"
#include "core.h"
#include "editoractions.h"
#include "gameobject.h"
#include "graphics.h"
#include "helpers.h"
#include "imgui_compat.h"
#include "inputsystem.h"
#include "logic.h"
#include "objectfactory.h"
#include "platform/files.h"
#include "serializer.h"
#include "transforminterface.h"

#include <iostream>
#include <utility>

namespace
{
using namespace editorkeys;

std::string SnapshotPath()
{
    return GetUserDataFolder() + Editor::kSceneSnapshot;
}

std::string SnapshotSettingsPath()
{
    return GetUserDataFolder() + Editor::kSceneSettingsSnapshot;
}

// Only a snapshot that reads as a level may replace the played objects.
bool IsReadableLevel(const std::string& path)
{
    XMLReader reader(path);
    if (!reader.IsOpen())
        return false;
    reader.Parse();
    return reader.GetRoot()->name == "Objects";
}

// The editor's pause is the only one it lifts; losing the window's focus keeps its own.
void PauseAudio(bool paused)
{
    if (AudioSystem* audio = gCore ? gCore->GetAudio() : nullptr)
        audio->SetMasterPaused(paused, MasterPauseReason::Editor);
}

// Lifts the script stop that P sets.
void RunScripts()
{
    if (Logic* logic = gCore ? gCore->GetLogic() : nullptr)
        logic->SetSuspended(false);
}

ObjectId GameCameraId(const Graphics* graphics)
{
    const TransformInterface* camera = graphics ? graphics->GetGameCameraTransform() : nullptr;
    const GameObjectInterface* object = camera ? camera->GetGameObject() : nullptr;
    return object ? object->GetID() : 0;
}

// The level a scene file holds: its name without the ending ".xml" (only that one).
std::string SceneStem(const std::string& file)
{
    return file.ends_with(".xml") ? file.substr(0, file.size() - 4) : file;
}

// A name for a file in the scene folder: it may not be empty nor lead out of the folder.
bool IsSceneName(const std::string& name)
{
    return !name.empty() && name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos;
}
}

bool Editor::PlayScene()
{
    if (!gCore || !gFactory || playing_)
        return false;
    const std::string snapshot = SnapshotPath();
    if (GetUserDataFolder().empty() || !SaveObjects(snapshot, "Objects", gFactory->GetObjects()) ||
        !gFactory->SaveSceneSettings(SnapshotSettingsPath()))
    {
        std::cout << "Play refused: the scene could not be saved to " << snapshot << std::endl;
        return false;
    }
    RunScripts();
    playing_ = true;
    paused_ = false;
    picked_.clear();
    selected_.clear();
    for (GameObject* object : gFactory->GetObjects())
        gFactory->RegisterObject(object);
    SetInspected(nullptr, "", InspectorKind::Nothing, true);
    PauseAudio(false);
    gCore->SetPlaying(true);
    performanceOpen_ = performanceOpenPlaying_;
    refreshScriptInspector = true;
    return true;
}

bool Editor::StopScene()
{
    if (!gCore || !gFactory || !playing_)
        return false;
    RunScripts();
    const bool restored = RestoreSnapshot();
    performanceOpen_ = performanceOpenEditing_;
    return restored;
}

bool Editor::RestoreSnapshot()
{
    playing_ = false;
    paused_ = false;
    PauseAudio(false);
    const std::string snapshot = SnapshotPath();
    const bool readable = IsReadableLevel(snapshot);
    if (readable)
    {
        gFactory->DestroyAllObjects();
        gFactory->LoadLevelFile(snapshot, false, SnapshotSettingsPath());
    }
    else
        std::cout << "Stop: " << snapshot << " could not be read, the played objects stay" << std::endl;
    if (Graphics* graphics = gCore->GetGraphics())
        graphics->ResetEditorCamera();
    ForgetScene();
    // Also lets the cursor go.
    gCore->SetPlaying(false);
    return readable;
}

void Editor::RemoveSceneSnapshot() const
{
    if (GetUserDataFolder().empty())
        return;
    for (const std::string& file : {SnapshotPath(), SnapshotSettingsPath()})
        if (platform::Exists(file))
            platform::RemoveFile(file);
}

void Editor::TogglePauseScene()
{
    if (!gCore || !playing_)
        return;
    paused_ = !paused_;
    PauseAudio(paused_);
    Graphics* graphics = gCore->GetGraphics();
    if (paused_)
    {
        gCore->SetPlaying(false);
        performanceOpenPlaying_ = performanceOpen_;
        performanceOpen_ = performanceOpenEditing_;
        pauseCamera_ = GameCameraId(graphics);
        if (graphics)
            graphics->ResetEditorCamera();
        return;
    }
    gCore->SetPlaying(true);
    performanceOpenEditing_ = performanceOpen_;
    performanceOpen_ = performanceOpenPlaying_;
    if (graphics && pauseCamera_)
        graphics->SetMainCamera(pauseCamera_);
    // The scripts may destroy what was picked while paused.
    picked_.clear();
    selected_.clear();
    SetInspected(nullptr, "", InspectorKind::Nothing, true);
}

void Editor::HandleStopKey()
{
    InputSystem* input = gCore ? gCore->GetInput() : nullptr;
    if (input && input->IsCursorCaptured())
    {
        input->SetCursorCapture(false);
        input->SetCursorLock(false);
        return;
    }
    if (playing_ && gFactory)
        RestoreSnapshot();
}

void Editor::ForgetScene()
{
    ClearActionHistory();
    picked_.clear();
    selected_.clear();
    SetInspected(nullptr, "", InspectorKind::Nothing, true);
}

void Editor::HandleEditorShortcuts()
{
    if (KeyTriggered(kKeyF10))
        HandleStopKey();
    // The played objects are not the scene's: editing them would act on what the next flush frees.
    const bool editing = gCore && !gCore->IsPlaying();
    const bool control = editing && KeyPressed(kKeyCtrl);
    if (editing && KeyTriggered(kKeyDelete))
        DeleteSelectedObjects();
    if (control && KeyTriggered(kKeyD))
        DuplicatePickedObjects();
    if (control && KeyTriggered(kKeyS))
        RequestSave(KeyPressed(kKeyShift));
    if (KeyTriggered(kKeyF3))
    {
        drawColliders_ = !drawColliders_;
        if (Graphics* graphics = gCore ? gCore->GetGraphics() : nullptr)
            graphics->settings.drawColliders = drawColliders_;
    }
    if (control && KeyTriggered(kKeyZ))
        UndoAction();
    if (control && KeyTriggered(kKeyY))
        RedoAction();
    ShowSavePopups();
}

void Editor::RequestSave(bool saveAs)
{
    if (playing_)
    {
        std::cout << "Save refused: the scene is playing" << std::endl;
        return;
    }
    saveRequested_ = true;
    saveAs_ = saveAs;
    saveFailure_.clear();
}

void Editor::ShowSavePopups()
{
    bool saved = false;
    if (std::exchange(saveRequested_, false))
    {
        if (sceneLoaded_ && !saveAs_)
        {
            sceneName_ = SceneStem(sceneName_);
            saveFailure_ = SaveScene(sceneName_);
            saved = saveFailure_.empty();
        }
        if (!saved)
            ImGui::OpenPopup("Save Popup");
    }
    if (ImGui::BeginPopup("Save Popup"))
    {
        if (saveAs_)
        {
            ImGui::InputText("File name", saveName_.data(), saveName_.size());
            if (ImGui::Button("Save"))
            {
                saveFailure_ = SaveSceneAs(saveName_.data());
                saved = saveFailure_.empty();
            }
        }
        else if (!sceneLoaded_)
            ImGui::TextUnformatted("No xml has been loaded_ yet");
        if (!saveFailure_.empty())
            ImGui::Text("Not saved: %s", saveFailure_.c_str());
        if (saved)
            ImGui::CloseCurrentPopup();
        ImGui::EndPopup();
    }
    if (saved)
        ImGui::OpenPopup("File Saved");
    if (ImGui::BeginPopup("File Saved"))
    {
        ImGui::Text("File has been saved to %s", sceneName_.c_str());
        ImGui::EndPopup();
    }
}

std::string Editor::SaveScene(const std::string& name)
{
    if (!gFactory)
        return name;
    const std::string level = gFactory->GetRootFolder() + "Assets/XML/" + name + ".xml";
    const std::string prefabs = gFactory->GetRootFolder() + "Assets/Prefabs/";
    const bool levelSaved = gFactory->SaveLevel(level);
    const bool prefabsSaved = gFactory->SavePrefabs(prefabs);
    RefreshPrefabList();
    return !levelSaved ? level : !prefabsSaved ? prefabs : std::string();
}

std::string Editor::SaveSceneAs(const std::string& name)
{
    if (!IsSceneName(name))
        return "\"" + name + "\" cannot name a scene file";
    std::string failure = SaveScene(name);
    if (!failure.empty())
        return failure;
    // Ctrl+S writes this file from now on.
    sceneName_ = name;
    sceneLoaded_ = true;
    saveAs_ = false;
    return failure;
}

void Editor::LoadScene(const std::string& name, const std::string& folder)
{
    if (!gFactory)
        return;
    ClearActionHistory();
    gFactory->DestroyAllObjects();
    // A file that did not load names no scene: Ctrl+S would write the little it held over it.
    const bool loaded = gFactory->LoadLevelFile(assetRoot_ + folder + name, false);
    gFactory->SetLevelName(SceneStem(name));
    sceneName_ = loaded ? name : std::string();
    sceneLoaded_ = loaded;
    ForgetScene();
    // A scene loaded while Play is paused is edited, as after Stop: nothing of the pause may outlive it.
    playing_ = false;
    paused_ = false;
    PauseAudio(false);
    RunScripts();
    if (gCore && gCore->IsPlaying())
        gCore->SetPlaying(false);
}
