#pragma once
#include <source_location>
#include <string>
#include <vector>

#include "TorvaneMath.h"
#include "gameobjectinterface.h"
#include "monobehaviorinterface.h"
#include "objectref.h"

class AICharacter;

// The scripts' one way to find the level's objects, prefabs and scripts, and to make and remove instances.
// The lookups that take the looking script's name are for partners it needs: a missing one is reported,
// with the place that looked.

// The running level's object of that name; null when there is none.
GameObjectInterface* FindObjectNamed(const std::string& name);
GameObjectInterface* FindObjectFor(const std::string& who, const std::string& name,
                                   std::source_location where = std::source_location::current());
GameObjectInterface* FindPrefabFor(const std::string& who, const std::string& name,
                                   std::source_location where = std::source_location::current());
// The id Instantiate takes; 0 for a missing prefab.
ObjectId PrefabId(const std::string& who, const std::string& name,
                  std::source_location where = std::source_location::current());

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

void ReportMissingScript(const GameObjectInterface& object, const std::string& scriptName, std::source_location where);
// The same for a script the object must have: an object without it is reported (no object, no report: its
// lookup reported that).
template <class T>
T* RequiredScript(const GameObjectInterface* object, const std::string& scriptName,
                  std::source_location where = std::source_location::current())
{
    T* script = ScriptOf<T>(object, scriptName);
    if (object && !script)
        ReportMissingScript(*object, scriptName, where);
    return script;
}

// The object's "Elem" script as an AI character; null for every enemy of this library.
AICharacter* ElemOf(const GameObjectInterface* object);
// Hurts the player through its "PlayerController"; an object without one is left alone.
void HurtPlayer(const GameObjectInterface* player);

// The object's parts; null for no object, as for an object without that part.
AudioSourceInterface* AudioOf(const GameObjectInterface* object);
RigidBodyInterface* BodyOf(const GameObjectInterface* object);
ImageInterface* ImageOf(const GameObjectInterface* object);
LightInterface* LightOf(const GameObjectInterface* object);
MeshRendererInterface* RendererOf(const GameObjectInterface* object);
ParticleSystemInterface* ParticlesOf(const GameObjectInterface* object);

// The objects prefix + 1, prefix + 2, ... in number order, up to the first number no object has. One pass
// over the level, however many there are.
std::vector<GameObjectInterface*> NumberedObjects(const std::string& prefix);
// Of the live objects of that name, the one nearest the point; null when there is none.
GameObjectInterface* NearestObjectNamed(const std::string& name, const Vector3& point);
// How many live objects have names containing the text.
int CountObjectsNamed(const std::string& text);

// A registered instance of the prefab, so it is drawn, simulated and run. A prefab id of 0 (a prefab the
// level lacks, reported where it was looked up) makes nothing: the factory would make a bare object.
GameObjectInterface* InstantiateRegistered(ObjectId prefab, const std::string& name);
// The same, named and placed.
GameObjectInterface* InstantiateAt(ObjectId prefab, const std::string& name, const Vector3& position);
// Destroys the object when it is still there; the reference holds none afterwards.
void DestroyAndClear(ObjectRef& object);
