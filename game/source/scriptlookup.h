#pragma once
#include <string>
#include <vector>

#include "gameobjectinterface.h"
#include "monobehaviorinterface.h"

// The running level's object of that name; null when there is none.
GameObjectInterface* FindObjectNamed(const std::string& name);

// The object's first script whose registered name contains the text, when it is a T: a name match alone may
// be another class ("MainMenu" also matches "MainMenuVisuals").
template <class T>
T* ScriptOf(const GameObjectInterface* object, const std::string& scriptName)
{
    return object ? dynamic_cast<T*>(object->GetScript(scriptName)) : nullptr;
}

template <class T>
T* FindScript(const std::string& objectName, const std::string& scriptName)
{
    return ScriptOf<T>(FindObjectNamed(objectName), scriptName);
}

// The objects prefix + 1, prefix + 2, ... in number order, up to the first number no object has. One pass
// over the level, however many there are.
std::vector<GameObjectInterface*> NumberedObjects(const std::string& prefix);
