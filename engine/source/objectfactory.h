#pragma once
#include "gameobject.h"
#include "helpers.h"
#include "objectfactoryinterface.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <ranges>
#include <string>
#include <unordered_map>
#include <vector>

class XMLNode;
struct ContentLoading;

// Owns every game object: the prefabs, the live objects of the running level, the destroyed objects waiting
// to be freed and, in the editor, the last deleted objects kept for undo. An object is in exactly one of the
// four, and knows which (GameObject::GetPlace), so its components can tell their owner. While it lives the
// factory is gFactory, answers the object model's questions (prefabs, Destroy) and flushes its destroy queue
// from Core's frame.
class ObjectFactory final : public ObjectFactoryInterface
{
public:
    static constexpr std::size_t kDeletedObjectsKept = 20;

    // Every asset path starts with rootFolder, which ends in a separator.
    explicit ObjectFactory(std::string rootFolder = GetExecutableFolder());
    ~ObjectFactory();
    ObjectFactory(const ObjectFactory&) = delete;
    ObjectFactory& operator=(const ObjectFactory&) = delete;

    // ObjectFactoryInterface
    GameObject* FindObject(const std::string& name) const override;
    GameObject* FindObjectById(ObjectId id) const override;
    std::vector<GameObjectInterface*> GetObjectsWithScript(const std::string& name) const override;
    GameObject* FindPrefab(const std::string& name) const override;
    // As CreateObject, announced as made by a script.
    GameObject* Instantiate(const std::string& name, ObjectId prefabId) override;
    // DestroyObject after the checks scripts get.
    void Destroy(GameObjectInterface* object) override;
    void Register(GameObjectInterface* object) override;
    void LoadLevel(const std::string& name) override;
    std::string GetLevelName() const override { return levelName_; }
    void SetLevelName(const std::string& name) override { levelName_ = name; }
    std::vector<GameObjectInterface*> GetAllObjects() const override;

    // A new live object under a fresh id: a copy of the prefab, or an empty object with a Transform when
    // prefabId is 0. An id naming no prefab gives the empty object, already announced by SpawnObject.
    GameObject* CreateObject(const std::string& name, ObjectId prefabId);
    // CreateObject, announced at once ("Cloned") as made by the engine.
    GameObject* SpawnObject(const std::string& name, ObjectId prefabId);
    // A live copy under a fresh id, announced at once.
    GameObject* CloneObject(const GameObject* object);
    // The prefab stored under id, made when missing, named name and given a Transform when it has none.
    GameObject* CreatePrefab(ObjectId id, const std::string& name);
    // Queues "Register": the systems take the object in at the next delivery.
    void RegisterObject(GameObject* object);
    // Queues "Destroy" and retires the object: to the destroy queue, or in the editor while not playing to
    // the deleted-objects buffer, whose oldest entry then moves to the destroy queue when it is full.
    void DestroyObject(GameObject* object);
    // DestroyObject on every live object, in order, in one pass.
    void DestroyAllObjects();
    // Moves a live object into the prefabs under its own id, cut loose from its parent and children; false
    // when it is not live or a prefab has its id. The systems are not told.
    bool MakePrefab(GameObject* object);
    // Moves an object of the deleted-objects buffer back among the live objects, at that place in their order
    // (the end when there are fewer); sends nothing.
    void RestoreObject(GameObject* object, std::size_t place = std::numeric_limits<std::size_t>::max());
    // Frees the destroy queue.
    void FlushDestroyed();

    // Ascending id order.
    std::vector<GameObject*> GetPrefabs() const;
    std::vector<GameObject*> GetObjects() const;
    // Oldest first.
    std::vector<GameObject*> GetDeletedObjects() const;
    std::vector<GameObject*> GetDestroyQueue() const;

    // Files, by full path. A level's scene settings are found by its file's stem under the root folder.
    // Each save is true when every file it writes was written; a file that could not be is left as it was.
    // One file per prefab, "<Name>_<id>_Prefab.xml" in folder; older files of the same id are removed.
    bool SavePrefabs(const std::string& folder) const;
    // One prefab as SavePrefabs writes it; false, after a report, when its file could not be written.
    bool SavePrefab(GameObject& prefab, const std::string& folder) const;
    // The live objects, then the scene settings named after the level file.
    bool SaveLevel(const std::string& path) const;
    bool SaveSceneSettings(const std::string& path) const;
    // With skipKnown a prefab whose id is held already is left as it is; otherwise it loads under a new id.
    void LoadPrefabFile(const std::string& path, bool skipKnown = false);
    // Adds the file's objects to the live objects. With registerObjects each gets a queued "Register";
    // without, each goes straight to Graphics (the editor's way of showing a scene it does not run). False,
    // after a report, when the file is missing, not a level or cut short; then nothing is loaded.
    bool LoadLevelFile(const std::string& path, bool registerObjects);
    // The same with the scene settings read from their own file, wherever it is.
    bool LoadLevelFile(const std::string& path, bool registerObjects, const std::string& settingsPath);
    void LoadSceneSettings(const std::string& path);

    const std::string& GetRootFolder() const { return rootFolder_; }
    // root + "Assets/SceneSettings/<level>Settings.xml".
    std::string SceneSettingsPath(const std::string& level) const;

private:
    struct ObjectRecord;

    // root + "Assets/XML/<level>.xml".
    std::string LevelPath(const std::string& level) const;

    // An entry of the live objects' id index: the first of them, in live order, with that id and how many
    // share it (more than one only after a damaged file or an undo).
    struct LiveId
    {
        GameObject* first;
        std::size_t count;
    };

    // The live objects in creation order, passing over the holes.
    auto LiveObjects() const
    {
        return live_ | std::views::filter([](const auto& object) { return object != nullptr; });
    }
    GameObject* AppendLive(std::unique_ptr<GameObject> object);
    // Takes a live object out of the list and the index; null when it is not live.
    std::unique_ptr<GameObject> TakeLive(GameObject* object);
    void CloseLiveHolesIfMany();
    // Closes the holes and gives every live object its slot again.
    void RenumberLive();
    void RetireObject(GameObject* object);
    // The retirement rule: the deleted-objects buffer in the editor while not playing, else the queue.
    void ParkRetired(std::unique_ptr<GameObject> object);
    void QueueForFreeing(std::unique_ptr<GameObject> object);
    // The index follows every change of the live list and of a live object's id.
    void IndexLive(GameObject& object);
    void UnindexLive(ObjectId id, const GameObject& object);
    void SetLiveId(GameObject& object, ObjectId id);
    static bool IsLive(const GameObject& object);
    GameObject* FirstLiveWithId(ObjectId id) const;
    const GameObject* FindPrefabById(ObjectId id) const;

    // The id a loaded object gets: the file's, or a fresh one (reported) when the file's is unusable or
    // `taken` says another object has it.
    template <class Taken>
    ObjectId IdForLoadedObject(const ObjectRecord& record, const std::string& kind, Taken taken) const;
    static void ApplyRecord(GameObject& object, const ObjectRecord& record);
    // A level file's two passes: its objects, then the hierarchy and what each object needs after it.
    std::vector<GameObject*> LoadLevelObjects(const XMLNode& root, const std::string& path, bool registerObjects);
    GameObject* LoadLevelObject(const ObjectRecord& record, const std::string& path);
    void FinishLevelObjects(const std::vector<GameObject*>& loaded, const std::string& path, bool registerObjects);
    // The live object that the object's parent id names; reported when it names none.
    GameObject* NamedParent(const GameObject& object, const std::string& path) const;
    void FinishLevelObject(GameObject& object, bool registerObjects);

    std::map<ObjectId, std::unique_ptr<GameObject>> prefabs_;
    // In creation order, which saving keeps. Taking one out leaves a hole (null), closed once they are many:
    // an object destroyed among many costs no search and no shift. liveSlots_ finds an object's slot and
    // liveIds_ finds objects by id.
    std::vector<std::unique_ptr<GameObject>> live_;
    std::unordered_map<const GameObjectInterface*, std::size_t> liveSlots_;
    std::size_t liveHoles_ = 0;
    std::unordered_map<ObjectId, LiveId> liveIds_;
    std::vector<std::unique_ptr<GameObject>> destroyQueue_;
    std::deque<std::unique_ptr<GameObject>> deleted_;
    std::string levelName_;
    std::string rootFolder_;
};

// The one factory; set by its constructor, null once it is destroyed.
extern ObjectFactory* gFactory;

// Writes the objects as "Object" elements under one root element, replacing the file only once all is
// written; false, after a report, when it could not be written.
bool SaveObjects(const std::string& path, const std::string& rootName, const std::vector<GameObject*>& objects);

// The whole file is made in memory and then replaces the old one in one step: a failed save keeps it.
bool WriteXmlFile(const std::string& path, const std::function<void(XMLWriter&)>& write);
// "<Name>_<id>_Prefab.xml", the file a prefab is saved to.
std::string PrefabFileName(const std::string& name, ObjectId id);

// The factory's part in start-up and the automated test run.
ContentLoading FactoryContent(ObjectFactory& factory);
