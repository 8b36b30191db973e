#pragma once
// The fixture level in the editor, as the editor's scene load leaves it: Crate A and Altar at the top, Crate B
// and Torch under Altar, Lamp under Torch, shown by the renderer without being registered.
#include "factoryworld.h"

class EditorWorld : public FactoryWorld
{
protected:
    explicit EditorWorld(SystemMaker replace = {}) : FactoryWorld(std::move(replace))
    {
        core.SetEditorMode(true);
        CopyFixtures();
        testing::internal::CaptureStdout();
        LoadPrefabs(Root() + "Assets/Prefabs");
        factory.LoadLevelFile(Root() + "Assets/XML/Tomb.xml", false);
        testing::internal::GetCapturedStdout();
        Delivered();
    }
};
