#pragma once
#include <source_location>
#include <string>
#include <vector>

#include "TorvaneMath.h"
#include "gameobjectinterface.h"
#include "monobehaviorinterface.h"
#include "objectref.h"
#include "scriptlist.h"

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

// The name each script class is registered under, from the library's one list; a lookup names the class
// only. The enemies' AI characters are found as "Elem".
template <class Script>
inline constexpr const char* kScriptName = nullptr;
#define SCRIPT_LOOKUP_NAME(Name)                                                                                  \
    class Name;                                                                                                   \
    template <>                                                                                                   \
    inline constexpr const char* kScriptName<Name> = #Name;
#define SCRIPT_LOOKUP_NO_NAME(Name)
GAME_SCRIPTS(SCRIPT_LOOKUP_NAME, SCRIPT_LOOKUP_NO_NAME)
#undef SCRIPT_LOOKUP_NAME
#undef SCRIPT_LOOKUP_NO_NAME
class AICharacter;
template <>
inline constexpr const char* kScriptName<AICharacter> = "Elem";

template <class T>
const char* ScriptNameOf()
{
    static_assert(kScriptName<T> != nullptr, "not a script class of the library");
    return kScriptName<T>;
}

// The object's first script whose registered name contains T's, when it is a T: a name match alone may be
// another class ("MainMenu" also matches "MainMenuVisuals"). Null for no object.
template <class T>
T* ScriptOf(const GameObjectInterface* object)
{
    return object ? dynamic_cast<T*>(object->GetScript(ScriptNameOf<T>())) : nullptr;
}

// The script of class T on the running level's object of that name.
template <class T>
T* FindScript(const std::string& objectName)
{
    return ScriptOf<T>(FindObjectNamed(objectName));
}

void ReportMissingScript(const GameObjectInterface& object, const std::string& scriptName, std::source_location where);
// The same for a script the object must have: an object without it is reported (no object, no report: its
// lookup reported that).
template <class T>
T* RequiredScript(const GameObjectInterface* object, std::source_location where = std::source_location::current())
{
    T* script = ScriptOf<T>(object);
    if (object && !script)
        ReportMissingScript(*object, ScriptNameOf<T>(), where);
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
