#pragma once
#include "propertyinspector.h"

#include <string>

class GameObject;
class Logic;

// What the Inspector's script editor keeps from frame to frame: the script chosen for "Add Script", the object
// whose scripts the property inspector shows, and that inspector. The inspector points into the script
// library's tables, so Logic is told of it and has it cleared before a reload.
class ScriptEditorState
{
public:
    ScriptEditorState(std::string firstScriptName, Logic* logic);
    ~ScriptEditorState();
    ScriptEditorState(const ScriptEditorState&) = delete;
    ScriptEditorState& operator=(const ScriptEditorState&) = delete;

    // Empties the inspector so that the next frame builds it anew.
    void Forget();
    // Fills the inspector with the scripts of the holder that have properties of their own, unless it already
    // shows this object's (and it is not told to refresh).
    void ShowScripts(GameObject& object, bool refresh);

    std::string chosenScriptName;
    property::inspector inspector{"Inspector"};

private:
    GameObject* lastObject_ = nullptr;
    Logic* logic_;
};
