#pragma once
// A fake world to run the game's scripts in, one test at a time, at a fixed frame time.
//
//   FakeWorld world;                                  // empties the preference store, seeds Random
//   FakeObject& player = world.Object("Player", "Player");
//   player.Place({0, 1, 0}, {0, 90, 0});              // as a level places it (stored degrees, PostLoad)
//   auto& body = player.Add<FakeRigidBody>();        // any fake of fakecomponents.h
//   player.Add(FakeCollider::Capsule(0.5f, 2.0f));
//   auto& controller = world.Attach<PlayerController>(player);
//   FakeObject& melee = world.Prefab("Melee");        // Instantiate copies it and clones its scripts
//   world.input.axes[1] = 1.0f;                       // input by frames: input.Hold(key), HoldButton(mask)
//   world.physics.AnswerAlways(RayKind::AABB, hit);   // ray answers per query kind; physics.queries records
//   world.Step();                                     // one frame of 1/60 s (world.frameTime)
//   body.LastVelocityRequest(); world.audio.PlayedNames(); world.factory.instantiated; ...
//   world.CollisionStay(player, floor, {{0, 1, 0}, 0.01f});   // events reach running scripts at once
//
// A step writes gServices, then Awake and Start for the scripts of objects registered since the last step
// (world.Object registers at once, Instantiate leaves that to the script's Register), then Update for every
// running script, objects in creation order and each object's scripts in name order (while core.paused is
// set as the step begins, only those of objects tagged "RunWhenPaused", which update only then). Then the
// input frame ends and the objects destroyed during the step leave (OnDestroy first). LoadLevel only records
// the name and calls factory.onLoadLevel. Every object has the engine's own Transform; script failures are reported
// on the error stream, which ReportsOf collects.
#include "allscripts.h"
#include "c_transform.h"
#include "fakecomponents.h"
#include "fakeservices.h"
#include "gameobjectinterface.h"
#include "monobehaviordllinterface.h"
#include "monobehaviorinterface.h"
#include "objectfactoryinterface.h"
#include "scriptlist.h"
#include "scriptlookup.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

class FakeFactory;

// The tag of the objects whose scripts update while the game is paused, and only then.
inline constexpr char kRunWhenPausedTag[] = "RunWhenPaused";

class FakeObject;

// An object's script holder. A removal calls the script's OnDestroy at once and the script runs no more, as
// the engine's queued removal leaves it.
class FakeScriptHolder final : public MonoBehaviorDLLInterface
{
public:
    explicit FakeScriptHolder(FakeObject& object) : object_(&object) {}

    GameObjectInterface* GetGameObject() const override;
    void SetEnabled(bool on) override { enabled = on; }
    bool IsEnabled() const override { return enabled; }
    void RemoveMono(const std::string& name) override;
    MonoBehaviorInterface* GetScript(const std::string& name) const override;

    bool enabled = true;
    // The names asked for, in call order.
    std::vector<std::string> removed;

private:
    FakeObject* object_;
};

class FakeObject final : public GameObjectInterface
{
public:
    FakeObject(FakeFactory& factory, std::string name, ObjectId id);
    // An instance of a prefab: components copied, scripts cloned onto it, to be started once registered.
    FakeObject(const FakeObject& prefab, std::string name, ObjectId id);
    FakeObject& operator=(const FakeObject&) = delete;
    ~FakeObject();

    // Places the object as a level file does: the stored Euler degrees, then PostLoad.
    void Place(const Vector3& position, const Vector3& degrees = {}, const Vector3& scale = {1.0f, 1.0f, 1.0f});

    // Adds a fake component (a new one, or a copy of the one given); it replaces one of the same interface.
    template <class C, class... Args>
    C& Add(Args&&... args)
    {
        return AddComponent(std::make_unique<C>(std::forward<Args>(args)...));
    }
    template <class C>
        requires std::is_base_of_v<FakeComponent, std::remove_cvref_t<C>>
    std::remove_cvref_t<C>& Add(C&& component)
    {
        return AddComponent(std::make_unique<std::remove_cvref_t<C>>(std::forward<C>(component)));
    }
    // The first component that is a C (a fake class or an interface); null when none.
    template <class C>
    C* Find() const
    {
        for (const auto& component : components_)
            if (auto* found = dynamic_cast<C*>(component.get()))
                return found;
        return nullptr;
    }
    // The same for a component the test knows is there.
    template <class C>
    C& Get() const;

    MonoBehaviorInterface* FindScript(const std::string& name) const;
    const std::map<std::string, std::unique_ptr<MonoBehaviorInterface>>& Scripts() const { return scripts_; }
    // Stores the script under the name, owned by this object.
    MonoBehaviorInterface& SetScript(const std::string& name, std::unique_ptr<MonoBehaviorInterface> script);

    TransformInterface* GetTransform() const override { return &transform; }
    RigidBodyInterface* GetRigidBody() const override { return Find<RigidBodyInterface>(); }
    ColliderInterface* GetCollider() const override { return Find<ColliderInterface>(); }
    LightInterface* GetLight() const override { return Find<LightInterface>(); }
    MeshFilterInterface* GetMeshFilter() const override { return Find<MeshFilterInterface>(); }
    MeshRendererInterface* GetMeshRenderer() const override { return Find<MeshRendererInterface>(); }
    AnimatorInterface* GetAnimator() const override { return Find<AnimatorInterface>(); }
    AudioSourceInterface* GetAudioSource() const override { return Find<AudioSourceInterface>(); }
    CameraInterface* GetCamera() const override { return Find<CameraInterface>(); }
    WaypointInterface* GetWaypoint() const override { return Find<WaypointInterface>(); }
    ImageInterface* GetImage() const override { return Find<ImageInterface>(); }
    RectTransformInterface* GetRectTransform() const override { return Find<RectTransformInterface>(); }
    CanvasInterface* GetCanvas() const override { return Find<CanvasInterface>(); }
    CanvasRendererInterface* GetCanvasRenderer() const override { return Find<CanvasRendererInterface>(); }
    ParticleSystemInterface* GetParticleSystem() const override { return Find<ParticleSystemInterface>(); }
    // The first script, in name order, whose name contains the text.
    MonoBehaviorInterface* GetScript(const std::string& name) const override;
    MonoBehaviorDLLInterface* GetMonoBehavior() const override { return &holder; }
    const std::string& GetTag() const override { return tag; }
    void SetTag(const std::string& value) override { tag = value; }
    std::string GetName() const override { return name; }
    ObjectId GetID() const override { return id; }
    // An inactive object's scripts are neither started nor updated.
    void SetActive(bool value) override { active = value; }
    bool IsActive() const override { return active; }
    void Destroy() override;
    GameObjectInterface* GetParent() const override { return nullptr; }
    // Object links are not faked.
    const std::vector<GameObject*>& GetChildren() const override;

    std::string name;
    std::string tag;
    ObjectId id;
    // The prefab this instance was made from; 0 for others.
    ObjectId prefabId = 0;
    bool active = true;
    bool destroyed = false;
    // Mutable as the engine's object hands its transform out from a const getter.
    mutable Transform transform;
    mutable FakeScriptHolder holder{*this};

private:
    template <class C>
    C& AddComponent(std::unique_ptr<C> component);
    void Replace(std::unique_ptr<FakeComponent> component);

    FakeFactory* factory_;
    std::vector<std::unique_ptr<FakeComponent>> components_;
    std::map<std::string, std::unique_ptr<MonoBehaviorInterface>> scripts_;
};

// The live objects of the level and the prefabs, with a record of what scripts asked of it.
class FakeFactory final : public ObjectFactoryInterface
{
public:
    FakeObject& AddLive(const std::string& name);
    FakeObject& AddPrefab(const std::string& name);

    FakeObject* FindObject(const std::string& name) const override;
    FakeObject* FindObjectById(ObjectId id) const override;
    std::vector<GameObjectInterface*> GetObjectsWithScript(const std::string& name) const override;
    FakeObject* FindPrefab(const std::string& name) const override;
    // A live copy of the prefab with that id (an object with only a Transform when none has it).
    FakeObject* Instantiate(const std::string& name, ObjectId prefabId) override;
    // The object stays readable until the end of the step; it is no longer found. One that is not live (gone
    // already, or never one of ours) is reported.
    void Destroy(GameObjectInterface* object) override;
    void Register(GameObjectInterface* object) override;
    void LoadLevel(const std::string& name) override;
    std::string GetLevelName() const override { return levelName; }
    void SetLevelName(const std::string& name) override { levelName = name; }
    std::vector<GameObjectInterface*> GetAllObjects() const override;

    // The step's parts (FakeWorld::Step).
    void StartRegistered();
    // While paused only the objects tagged kRunWhenPausedTag, otherwise only the others.
    void UpdateRunning(bool paused);
    void RemoveDestroyed();

    const std::vector<std::unique_ptr<FakeObject>>& Live() const { return live_; }
    // The live objects of that name, in the order they came; a destroyed one until the end of its step.
    std::vector<FakeObject*> LiveNamed(const std::string& name) const;
    bool WasDestroyed(const std::string& name) const;

    std::string levelName;
    std::function<void(const std::string& name)> onLoadLevel;
    // Names, in call order.
    std::vector<std::string> instantiated;
    std::vector<std::string> registered;
    std::vector<std::string> destroyed;
    std::vector<std::string> loadedLevels;

private:
    ObjectId NextId() { return ++lastId_; }
    FakeObject* LiveObject(GameObjectInterface* object) const;

    std::vector<std::unique_ptr<FakeObject>> live_;
    std::vector<std::unique_ptr<FakeObject>> prefabs_;
    // Registered, scripts not started yet.
    std::vector<FakeObject*> starting_;
    ObjectId lastId_ = 0;
};

class FakeWorld
{
public:
    static constexpr float kFrameTime = 1.0f / 60.0f;

    // Empties the preference store, seeds Random, clears the boss skip and hands the services to the library.
    FakeWorld();
    // The library keeps no pointer into a world that is gone.
    ~FakeWorld();
    FakeWorld(const FakeWorld&) = delete;
    FakeWorld& operator=(const FakeWorld&) = delete;

    // A live object, registered as a loaded level's objects are.
    FakeObject& Object(const std::string& name, const std::string& tag = "");
    FakeObject& Prefab(const std::string& name);
    // A new script of the class with its construction values, attached under its registered name.
    template <class Script>
    Script& Attach(FakeObject& object)
    {
        return dynamic_cast<Script&>(Attach(object, ScriptNameOf<Script>()));
    }
    MonoBehaviorInterface& Attach(FakeObject& object, const std::string& scriptName);

    void PassServices();
    void Step();
    void Steps(int count);
    // One step with the key held, then one with it let go.
    void Press(std::uint16_t key);
    // The library reloaded: every live object's scripts are replaced by new ones of the same names that
    // keep their saved properties, owner and life-cycle state, and get Reload.
    void HotReload();

    // Events reach the receiver's running scripts at once, as the engine delivers them between frames;
    // enter and stay come in the form without contact data first.
    void CollisionEnter(FakeObject& receiver, GameObjectInterface& other, ContactData contact);
    void CollisionStay(FakeObject& receiver, GameObjectInterface& other, ContactData contact);
    void CollisionExit(FakeObject& receiver, GameObjectInterface& other);
    void TriggerEnter(FakeObject& receiver, GameObjectInterface& other, ContactData contact);
    void TriggerStay(FakeObject& receiver, GameObjectInterface& other, ContactData contact);
    void TriggerExit(FakeObject& receiver, GameObjectInterface& other);

    float frameTime = kFrameTime;
    FakeInput input;
    FakePhysics physics;
    FakeAudio audio;
    FakeCore core;
    FakeFactory factory;

private:
    using PlainEvent = void (MonoBehaviorInterface::*)(GameObjectInterface*);
    using ContactEvent = void (MonoBehaviorInterface::*)(GameObjectInterface*, ContactData);
    void SendContact(FakeObject& receiver, PlainEvent plain, ContactEvent withContact, GameObjectInterface& other,
                     ContactData contact);
};

// What the code reported on the error stream while it ran (assertions among it).
std::string ReportsOf(const std::function<void()>& code);
// How often the text occurs in the reports.
int CountOf(const std::string& reports, const std::string& text);

template <class C>
C& FakeObject::Get() const
{
    C* found = Find<C>();
    if (!found)
        throw std::logic_error(name + " has no such component");
    return *found;
}

template <class C>
C& FakeObject::AddComponent(std::unique_ptr<C> component)
{
    C& added = *component;
    added.owner = this;
    Replace(std::move(component));
    return added;
}
