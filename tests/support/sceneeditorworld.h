#pragma once
// The fixture level in the editor as its scene load leaves it (Crate A and Altar at the top, Crate B and Torch
// under Altar, Lamp under Torch), with the engine's input, renderer and editor, every other system idle, and
// a per-user folder of its own.
#include "core.h"
#include "editor.h"
#include "editoractions.h"
#include "gameobject.h"
#include "graphics.h"
#include "idlesystem.h"
#include "inputsystem.h"
#include "messagingsystem.h"
#include "objectfactory.h"
#include "scopedenvironment.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

class SceneEditorWorld : public ::testing::Test
{
protected:
    SceneEditorWorld()
    {
        core.SetEditorMode(true);
        std::filesystem::copy(std::string(NEKTARU_TEST_DATA) + "/objectfactory/Assets", scratch.Path() / "Assets",
                              std::filesystem::copy_options::recursive);
        testing::internal::CaptureStdout();
        for (const char* prefab : {"Crate_1001_Prefab.xml", "Lamp_1002_Prefab.xml"})
            factory.LoadPrefabFile(scratch.Folder() + "Assets/Prefabs/" + prefab);
        editor().ScanAssetFolders(scratch.Folder());
        editor().LoadScene("Tomb.xml", "Assets/XML/");
        testing::internal::GetCapturedStdout();
        messaging.Update();
    }

    Editor& editor() { return *core.GetEditor(); }
    InputSystem& input() { return *core.GetInput(); }
    GameObject& Object(ObjectId id)
    {
        GameObject* object = factory.FindObjectById(id);
        EXPECT_NE(object, nullptr) << id;
        return *object;
    }
    bool IsLive(ObjectId id) const { return factory.FindObjectById(id) != nullptr; }
    std::vector<ObjectId> ChildIds(ObjectId id)
    {
        std::vector<ObjectId> ids;
        for (const GameObject* child : Object(id).GetChildren())
            ids.push_back(child->GetID());
        return ids;
    }
    ObjectId ParentId(ObjectId id)
    {
        const GameObject* parent = Object(id).GetParent();
        return parent ? parent->GetID() : 0;
    }
    // One editor frame with the keys held; they are let go afterwards.
    void PressKeys(std::initializer_list<std::uint16_t> keys)
    {
        for (std::uint16_t key : keys)
            input().SetKey(key, true);
        editor().Update();
        input().EndFrame();
        for (std::uint16_t key : keys)
            input().SetKey(key, false);
        input().EndFrame();
    }
    std::string UserFolder() const { return scratch.Folder() + "Documents/CalVorn/Nektaru/"; }

    TempFolder scratch;
    ScopedEnvironment documents{"XDG_DOCUMENTS_DIR", (scratch.Folder() + "Documents").c_str()};
    Core core{[](SystemId id) -> std::unique_ptr<System> {
        if (id == SystemId::Graphics)
            return std::make_unique<Graphics>(nullptr, 1280, 800);
        if (id == SystemId::Editor)
            return std::make_unique<Editor>();
        if (id == SystemId::Input)
            return std::make_unique<InputSystem>(nullptr, [] { return 0.0f; });
        return std::make_unique<IdleSystem>(id);
    }};
    MessagingSystem messaging{core.MessageReceivers()};
    ObjectFactory factory{scratch.Folder()};
};
