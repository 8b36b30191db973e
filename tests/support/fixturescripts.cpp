// A small script library the script host is tried on. It is built in several variants (FIXTURE_VERSION,
// FIXTURE_WITHOUT_PASSAUDIO, FIXTURE_WITHOUT_MONOLIST); every call it receives goes into a log the tests
// read through FixtureLog.
#include <limits>
#include <string>
#include <vector>

#include "gameexport.h"
#include "gameobjectinterface.h"
#include "monobehaviordllinterface.h"
#include "monobehaviorinterface.h"
#include "recttransforminterface.h"

class InputInterface;
class ObjectFactoryInterface;
class PhysicsInterface;
class AudioInterface;
class CoreInterface;

#ifndef FIXTURE_VERSION
#define FIXTURE_VERSION 1
#endif

namespace
{
std::vector<std::string> callLog;
std::vector<std::string> stapleLog;
float frameTime = 0.0f;
// Starts again at every load: shows that a reload brought fresh code and fresh static state.
int counterUpdates = 0;

std::string OwnerName(const GameObjectInterface* owner)
{
    return owner ? owner->GetName() : "-";
}

// The parts joined by blanks.
void Log(std::initializer_list<std::string> parts)
{
    std::string line;
    for (const std::string& part : parts)
        line.append(line.empty() ? "" : " ").append(part);
    callLog.push_back(line);
}

const std::string kVersion = std::string("v").append(std::to_string(FIXTURE_VERSION));

// Records every call under its registered name.
class Recorder : public MonoBehaviorInterface
{
public:
    explicit Recorder(std::string name) : name_(std::move(name)) {}
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<Recorder>(*this); }

    void Awake() override { Record("Awake"); }
    void Start() override { Record("Start"); }
    void Reload() override { Record("Reload"); }
    void Update() override { Record("Update"); }
    void OnDestroy() override { Record("OnDestroy"); }
    void OnDisable() override { Record("OnDisable"); }
    void OnEnable() override { Record("OnEnable"); }
    void OnCollisionEnter(GameObjectInterface* other) override { Record("CollisionEnter", other); }
    void OnCollisionEnter(GameObjectInterface* other, ContactData contact) override { Record("CollisionEnter", other, &contact); }
    void OnCollisionStay(GameObjectInterface* other) override { Record("CollisionStay", other); }
    void OnCollisionStay(GameObjectInterface* other, ContactData contact) override { Record("CollisionStay", other, &contact); }
    void OnCollisionExit(GameObjectInterface* other) override { Record("CollisionExit", other); }
    void OnTriggerEnter(GameObjectInterface* other) override { Record("TriggerEnter", other); }
    void OnTriggerEnter(GameObjectInterface* other, ContactData contact) override { Record("TriggerEnter", other, &contact); }
    void OnTriggerStay(GameObjectInterface* other) override { Record("TriggerStay", other); }
    void OnTriggerStay(GameObjectInterface* other, ContactData contact) override { Record("TriggerStay", other, &contact); }
    void OnTriggerExit(GameObjectInterface* other) override { Record("TriggerExit", other); }

private:
    // "<object> <script> <call>", with " <other>" for events and " <penetration>" when contact data came.
    void Record(const std::string& call, const GameObjectInterface* other = nullptr, const ContactData* contact = nullptr) const
    {
        if (contact)
            Log({OwnerName(owner), name_, call, OwnerName(other), std::to_string(contact->penetration)});
        else if (other)
            Log({OwnerName(owner), name_, call, OwnerName(other)});
        else
            Log({OwnerName(owner), name_, call});
    }

    std::string name_;
};

class Counter : public MonoBehaviorInterface
{
public:
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<Counter>(*this); }
    void Update() override
    {
        ++counterUpdates;
        Log({"Counter", kVersion, std::to_string(counterUpdates)});
    }
};

// A script with properties; the second version starts with other values, so a reload that lost them shows.
class Props : public MonoBehaviorInterface
{
public:
    int hits = FIXTURE_VERSION == 1 ? 1 : 100;
    float speed = FIXTURE_VERSION == 1 ? 2.5f : 250.0f;
    std::string label = FIXTURE_VERSION == 1 ? "first" : "second";

    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<Props>(*this); }
    // In the library's own table, which the editor holds only until a reload.
    static const property::table& StaticPropertyTable();
    const property::table& GetPropertyTable() const override { return StaticPropertyTable(); }
    void WriteXml(XMLWriter& writer, int& /*counter*/, const std::string& /*name*/) const override
    {
        writer.BeginElement("Props");
        writer.WriteElement("Hits", hits);
        writer.WriteElement("Speed", speed);
        writer.WriteElement("Label", label);
        writer.EndElement();
    }
    void ReadXml(const XMLNode& node) override
    {
        if (node.name != "Props")
            return;
        for (const XMLNode* child : node.children)
        {
            if (child->name == "Hits")
                XMLReader::ReadValue(child->value, &hits);
            else if (child->name == "Speed")
                XMLReader::ReadValue(child->value, &speed);
            else if (child->name == "Label")
                label = child->value;
        }
    }
    void Update() override
    {
        Log({"Props", kVersion, std::to_string(hits), label});
    }
};

constexpr property::PropertyEntry kPropsEntries[] = {
    property::TableEntry("MonoBehaviorInterface", &property::BaseTableOf<Props, MonoBehaviorInterface>),
    property::ValueEntry<int>("hits", PROPERTY_POSITION(Props, hits)),
    property::ValueEntry<std::string>("label", PROPERTY_POSITION(Props, label))};
constexpr auto kPropsIndex = property::BuildIndex(kPropsEntries);
constexpr property::table kPropsTable = property::MakeTable("Props", kPropsEntries, kPropsIndex);

const property::table& Props::StaticPropertyTable()
{
    return kPropsTable;
}

// Takes itself off its object during its own update.
class Remover : public MonoBehaviorInterface
{
public:
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<Remover>(*this); }
    void Update() override
    {
        Log({OwnerName(owner), "Remover", "Update"});
        owner->GetMonoBehavior()->RemoveMono("Remover");
    }
    void OnDestroy() override { Log({OwnerName(owner), "Remover", "OnDestroy"}); }
};

// Sets its UI element's depth to NaN, as a script normalising a zero vector would.
class Sinker : public MonoBehaviorInterface
{
public:
    std::unique_ptr<MonoBehaviorInterface> Clone() const override { return std::make_unique<Sinker>(*this); }
    void Update() override
    {
        RectTransformInterface* rect = owner->GetRectTransform();
        const Vector3& position = rect->GetPosition();
        rect->SetPosition({position.x, position.y, std::numeric_limits<float>::quiet_NaN()});
    }
};

const std::vector<std::string> scriptNames = {"Counter", "Props",   "Alpha",   "Beta",    "Gamma",
                                              "Remover", "Missing", "Nothing", "Counter", "Sinker"};
}

GAME_EXPORT void PassInput(InputInterface*) { stapleLog.push_back("PassInput"); }
GAME_EXPORT void PassFactory(ObjectFactoryInterface*) { stapleLog.push_back("PassFactory"); }
GAME_EXPORT void PassPhysics(PhysicsInterface*) { stapleLog.push_back("PassPhysics"); }
#ifndef FIXTURE_WITHOUT_PASSAUDIO
GAME_EXPORT void PassAudio(AudioInterface*) { stapleLog.push_back("PassAudio"); }
#endif
GAME_EXPORT void PassCore(CoreInterface*) { stapleLog.push_back("PassCore"); }
GAME_EXPORT void PassDt(float dt)
{
    stapleLog.push_back("PassDt");
    frameTime = dt;
}

#ifndef FIXTURE_WITHOUT_MONOLIST
GAME_EXPORT std::vector<std::string>* GetMonoList() { return new std::vector<std::string>(scriptNames); }
#endif

GAME_EXPORT MonoBehaviorInterface* CreateCounter(GameObjectInterface*) { return new Counter; }
GAME_EXPORT MonoBehaviorInterface* CreateProps(GameObjectInterface*) { return new Props; }
GAME_EXPORT MonoBehaviorInterface* CreateAlpha(GameObjectInterface*) { return new Recorder("Alpha"); }
GAME_EXPORT MonoBehaviorInterface* CreateBeta(GameObjectInterface*) { return new Recorder("Beta"); }
GAME_EXPORT MonoBehaviorInterface* CreateGamma(GameObjectInterface*) { return new Recorder("Gamma"); }
GAME_EXPORT MonoBehaviorInterface* CreateRemover(GameObjectInterface*) { return new Remover; }
GAME_EXPORT MonoBehaviorInterface* CreateNothing(GameObjectInterface*) { return nullptr; }
GAME_EXPORT MonoBehaviorInterface* CreateSinker(GameObjectInterface*) { return new Sinker; }

GAME_EXPORT std::vector<std::string>* FixtureLog() { return &callLog; }
GAME_EXPORT std::vector<std::string>* FixtureStapleLog() { return &stapleLog; }
GAME_EXPORT float FixtureFrameTime() { return frameTime; }
