// The Inspector's editors of the scene components: transform, colliders, rigid body, mesh filter and
// renderer, camera, lights, audio listener and source, waypoint and animator.
#include "editorshowinfo.h"

#include "audiosystem.h"
#include "c_animator.h"
#include "c_audiolistener.h"
#include "c_audiosource.h"
#include "c_collider.h"
#include "c_light.h"
#include "c_meshfilter.h"
#include "c_meshrenderer.h"
#include "c_rigidbody.h"
#include "c_transform.h"
#include "c_waypoint.h"
#include "core.h"
#include "editorvalues.h"
#include "objectfactory.h"
#include "resourcemanager.h"

#include <iostream>
#include <optional>
#include <type_traits>
#include <utility>

namespace inspector
{
GameObject* FindWaypointObject(std::uint64_t id)
{
    if (!gFactory)
        return nullptr;
    for (GameObject* live : gFactory->GetObjects())
        if (const WaypointInterface* waypoint = live->GetWaypoint(); waypoint && waypoint->GetUniqueID() == id)
            return live;
    return nullptr;
}

void ResizeMaterials(MeshRenderer& renderer, int count)
{
    const auto wanted = static_cast<std::size_t>(std::max(count, 0));
    while (renderer.GetMaterialNames().size() < wanted)
        renderer.AddMaterial("defaultMaterial");
    while (renderer.GetMaterialNames().size() > wanted)
        renderer.PopMaterialName();
}

void ColourEditRecorder::Show(const char* id, const void* owner, Vector3 colour,
                              const std::function<void(Vector3)>& set, const std::function<void(Vector3)>& record)
{
    const Vector3 shown = colour;
    if (ImGui::ColorEdit3(id, &colour.x, ImGuiColorEditFlags_NoInputs | ImGuiColorEditFlags_NoLabel))
    {
        Change(owner, shown);
        set(colour);
    }
    if (const std::optional<Vector3> before = End(owner, ImGui::IsAnyItemActive()))
    {
        set(*before);
        record(colour);
    }
}

void ColourEditRecorder::Change(const void* owner, const Vector3& before)
{
    if (before_ && owner_ == owner)
        return;
    owner_ = owner;
    before_ = before;
}

std::optional<Vector3> ColourEditRecorder::End(const void* owner, bool anyItemActive)
{
    if (owner_ != owner || anyItemActive)
        return std::nullopt;
    owner_ = nullptr;
    return std::exchange(before_, std::nullopt);
}

namespace
{
// What the cache combos list when there is no resource manager or audio system.
const std::map<std::string, bool> kNoNames;

template <class T>
void EnableCheckbox(const char* id, GameObject& object, T& component, bool isPrefab, EditRule rule = kRecorded)
{
    bool enabled = component.IsEnabled();
    if (ImGui::Checkbox(id, &enabled))
        Edit<T>(object, isPrefab, rule, [enabled](T& edited) { edited.SetEnabled(enabled); });
}

// A checkbox over a flag of the component, each click recorded.
template <class T, class Getter, class Setter>
void RecordedCheckbox(const char* id, GameObject& object, T& component, Getter get, Setter set, bool isPrefab,
                      EditRule rule = kRecorded)
{
    bool value = (component.*get)();
    if (ImGui::Checkbox(id, &value))
        Edit<T>(object, isPrefab, rule, [value, set](T& edited) { (edited.*set)(value); });
}

void TransformEditor(GameObject& object, Transform& transform, bool isPrefab)
{
    EnableCheckbox("Enable ##transform", object, transform, isPrefab);
    ImGui::TextUnformatted("Position:");
    Vector3 position = transform.GetPosition();
    if (EnterVector3({"##posx:", "##posy:", "##posz"}, position, 50.0f))
        Edit<Transform>(object, isPrefab, kRecordedPropagated,
                        [position](Transform& edited) { edited.SetPosition(position); });
    ImGui::TextUnformatted("Rotation:");
    Vector3 rotation = transform.GetRotation();
    if (EnterVector3({"##rotx:", "##roty:", "##rotz"}, rotation, 50.0f))
        Edit<Transform>(object, isPrefab, kRecordedPropagated, [rotation](Transform& edited) {
            // As loading does: the degrees as typed, the matrix and the axes rebuilt from them.
            edited.SetRotationRaw(rotation);
            edited.PostLoad();
        });
    ImGui::TextUnformatted("Scale:");
    Vector3 scale = transform.GetScale();
    if (EnterVector3({"##scalx:", "##scaly:", "##scalz"}, scale, 50.0f))
        Edit<Transform>(object, isPrefab, kRecordedPropagated, [scale](Transform& edited) { edited.SetScale(scale); });
}

template <class T>
void OffsetRow(const std::array<const char*, 3>& ids, GameObject& object, T& collider, bool isPrefab)
{
    ImGui::TextUnformatted("Offset By:");
    Vector3 offset = collider.GetOffset();
    if (EnterVector3(ids, offset, 50.0f))
        Edit<T>(object, isPrefab, kRecordedPropagated, [offset](T& edited) { edited.SetOffset(offset); });
}

template <class T>
void RadiusRow(const char* id, GameObject& object, T& collider, bool isPrefab)
{
    ImGui::TextUnformatted("Radius: ");
    ImGui::SameLine();
    float radius = collider.GetRadius();
    if (EnterFloat(id, radius, 50.0f))
        Edit<T>(object, isPrefab, kRecordedPropagated, [radius](T& edited) { edited.SetRadius(radius); });
}

void BoxEditor(GameObject& object, BoxCollider& box, bool isPrefab)
{
    ImGui::TextUnformatted("AABB: ");
    ImGui::TextUnformatted("");
    EnableCheckbox("Enable ##aabb", object, box, isPrefab);
    bool trigger = box.IsTrigger();
    if (ImGui::Checkbox("Trigger ##aabb", &trigger))
        box.SetTrigger(trigger);
    OffsetRow({"##offAABB y:", "##offAABB z:", "##offAABB"}, object, box, isPrefab);
    ImGui::TextUnformatted("");
    ImGui::TextUnformatted("Size: ");
    Vector3 size = box.GetSize();
    if (EnterVector3({"##sz y:", "##sz z:", "##sz"}, size, 50.0f))
        Edit<BoxCollider>(object, isPrefab, kRecordedPropagated, [size](BoxCollider& edited) { edited.SetSize(size); });
}

void SphereEditor(GameObject& object, SphereCollider& sphere, bool isPrefab)
{
    ImGui::TextUnformatted("Sphere: ");
    EnableCheckbox("Enable ##sphere", object, sphere, isPrefab);
    OffsetRow({"##offsphere y:", "##offsphere z:", "##offsphere"}, object, sphere, isPrefab);
    ImGui::TextUnformatted("");
    RadiusRow("##Radius:", object, sphere, isPrefab);
}

void CapsuleEditor(GameObject& object, CapsuleCollider& capsule, bool isPrefab)
{
    ImGui::TextUnformatted("Capsule: ");
    EnableCheckbox("Enable ##cap", object, capsule, isPrefab);
    OffsetRow({"##offcap y:", "##offcap z:", "##offcap"}, object, capsule, isPrefab);
    ImGui::TextUnformatted("");
    RadiusRow("##Radius", object, capsule, isPrefab);
    ImGui::TextUnformatted("Height: ");
    ImGui::SameLine();
    float height = capsule.GetHeight();
    if (EnterFloat("##Height", height, 50.0f))
        Edit<CapsuleCollider>(object, isPrefab, kRecordedPropagated,
                              [height](CapsuleCollider& edited) { edited.SetHeight(height); });
}

void ColliderEditor(GameObject& object, Collider& collider, bool isPrefab)
{
    if (auto* box = dynamic_cast<BoxCollider*>(&collider))
        BoxEditor(object, *box, isPrefab);
    else if (auto* sphere = dynamic_cast<SphereCollider*>(&collider))
        SphereEditor(object, *sphere, isPrefab);
    else if (auto* capsule = dynamic_cast<CapsuleCollider*>(&collider))
        CapsuleEditor(object, *capsule, isPrefab);
}

void RigidBodyEditor(GameObject& object, RigidBody& body, bool isPrefab)
{
    EnableCheckbox("Enable ##rb", object, body, isPrefab, kRecordedPropagated);
    RecordedCheckbox("Static: ", object, body, &RigidBody::IsStatic, &RigidBody::SetStatic, isPrefab,
                     kRecordedPropagated);
    ImGui::TextUnformatted("Mass:");
    ImGui::SameLine();
    float mass = body.GetMass();
    if (EnterFloat("##massy:", mass, 50.0f))
        Edit<RigidBody>(object, isPrefab, kRecordedPropagated, [mass](RigidBody& edited) { edited.SetMass(mass); });
}

const ResourceManager* Resources()
{
    return gResourceManager;
}

void MeshFilterEditor(GameObject& object, MeshFilter& filter, bool isPrefab)
{
    EnableCheckbox("Enable ##MeshFilter", object, filter, isPrefab);
    ImGui::TextUnformatted("Model mesh:");
    std::string chosen;
    const bool picked = Resources() ? NameCombo("###modelmesh", filter.GetMeshName(), Resources()->models, chosen)
                                    : NameCombo("###modelmesh", filter.GetMeshName(), kNoNames, chosen);
    if (picked)
        Edit<MeshFilter>(object, isPrefab, kRecordedObjectFirst,
                         [chosen](MeshFilter& edited) { edited.SetMeshName(chosen); });
}

bool MaterialCombo(const char* id, const std::string& current, std::string& chosen)
{
    return Resources() ? NameCombo(id, current, Resources()->materials, chosen)
                       : NameCombo(id, current, kNoNames, chosen);
}

void MeshRendererEditor(GameObject& object, MeshRenderer& renderer, bool isPrefab)
{
    EnableCheckbox("Enable MeshRender", object, renderer, isPrefab);
    if (!ImGui::TreeNode("Materials"))
        return;
    int size = renderer.GetMaterialCount();
    if (ImGui::InputInt("Size", &size, 1, 100))
        ResizeMaterials(renderer, size);
    for (int index = 0; index < renderer.GetMaterialCount(); ++index)
    {
        std::string chosen;
        const std::string label = "Element " + std::to_string(index);
        if (MaterialCombo(label.c_str(), renderer.GetMaterialName(index), chosen))
            Edit<MeshRenderer>(object, isPrefab, kRecordedObjectFirst, [chosen, index](MeshRenderer& edited) {
                edited.SetMaterialName(chosen, static_cast<unsigned>(index));
            });
    }
    ImGui::TreePop();
}

// One colour edit per use of the picker, whichever light it is on.
ColourEditRecorder gLightColour;

// T is the light's class; a plain light (Light itself) shows its values and takes no change.
template <class T>
void LightEditor(GameObject& object, Light& light, bool isPrefab)
{
    constexpr bool editable = !std::is_same_v<T, Light>;
    const auto edit = [&](auto change) {
        if constexpr (editable)
            Edit<T>(object, isPrefab, kRecorded, change);
    };
    bool enabled = light.IsEnabled();
    if (ImGui::Checkbox("Enable ##transform", &enabled))
        edit([enabled](T& edited) { edited.SetEnabled(enabled); });
    ImGui::TextUnformatted("Light Colour:");
    gLightColour.Show(
        "lightColor##3", &light, light.GetDiffuse(),
        [&light](Vector3 colour) {
            if constexpr (editable)
                light.SetDiffuse(colour);
        },
        [&](Vector3 colour) { edit([colour](T& edited) { edited.SetDiffuse(colour); }); });
    ImGui::TextUnformatted("Intensity:");
    float intensity = light.GetIntensity();
    if (EnterFloat("##intensity:", intensity))
        edit([intensity](T& edited) { edited.SetIntensity(intensity); });
    if (light.GetType() == Light::Directional)
    {
        ImGui::TextUnformatted("Direction:");
        Vector3 direction = light.GetDirection();
        if (editorvalues::EditFinite(&direction.x, 3, [](float* copy) {
                return ImGui::InputFloat3("##direction", copy, "%.3f", ImGuiInputTextFlags_EnterReturnsTrue);
            }))
            edit([direction](T& edited) { edited.SetDirection(direction); });
    }
    if (light.GetType() == Light::Point)
    {
        ImGui::TextUnformatted("Range:");
        ImGui::SameLine();
        float range = light.GetRange();
        if (EnterFloat("##radius:", range, 50.0f))
            edit([range](T& edited) { edited.SetRange(range); });
    }
}

void AudioListenerEditor(GameObject& object, AudioListener& listener, bool isPrefab)
{
    EnableCheckbox("Enable ##AudioLEnable", object, listener, isPrefab);
    float radius = listener.GetRadius();
    if (EnterFloat("##intensity:", radius))
        listener.SetRadius(radius);
}

const std::map<std::string, std::unique_ptr<Sound>>* Sounds()
{
    AudioSystem* audio = gCore ? gCore->GetAudio() : nullptr;
    return audio ? &audio->GetSounds() : nullptr;
}

void AudioSourceEditor(GameObject& object, AudioSource& source, bool isPrefab)
{
    EnableCheckbox("Enable ##AudioSEnable", object, source, isPrefab);
    ImGui::TextUnformatted("Audio Clip:");
    std::string chosen;
    const bool picked = Sounds() ? NameCombo("###audioclip", source.GetClipName(), *Sounds(), chosen)
                                 : NameCombo("###audioclip", source.GetClipName(), kNoNames, chosen);
    if (picked)
    {
        ApplyTo<AudioSource>(object, true, [chosen](AudioSource& edited) {
            edited.Stop();
            edited.SetClip(chosen);
        });
        if (isPrefab)
            for (GameObject* instance : InstancesOf(object))
                ApplyTo<AudioSource>(*instance, true, [chosen](AudioSource& edited) { edited.SetClip(chosen); });
        if (!source.IsMutedInEditor())
            source.Play();
    }
    ImGui::SameLine();
    RecordedCheckbox("Mute ##AudioMute", object, source, &AudioSource::IsMutedInEditor, &AudioSource::SetMuteInEditor,
                     isPrefab);
    if (ImGui::Button("Play"))
    {
        source.Stop();
        source.Play();
    }
    ImGui::SameLine();
    if (ImGui::Button("Stop"))
        source.Stop();
    RecordedCheckbox("PlayOnAwake", object, source, &AudioSource::PlaysOnAwake, &AudioSource::SetPlayOnAwake, isPrefab);
    RecordedCheckbox("Is Looping", object, source, &AudioSource::IsLooping, &AudioSource::SetLooping, isPrefab);
    RecordedCheckbox("Is3D", object, source, &AudioSource::Is3D, &AudioSource::Set3D, isPrefab);
    float volume = source.GetVolume();
    if (editorvalues::EditFinite(volume, [](float* copy) {
            return ImGui::DragFloat("Volume: ", copy, 0.005f, 0.0f, 0.0f, "%.3f");
        }))
        source.SetVolume(volume);
}

void WaypointEditor(GameObject& object, Waypoint& waypoint, bool isPrefab)
{
    EnableCheckbox("Enable ##transform", object, waypoint, isPrefab);
    ImGui::TextUnformatted("");
    ImGui::Text("Waypoint Unique ID: %llu", static_cast<unsigned long long>(waypoint.GetUniqueID()));
    ImGui::TextUnformatted("");
    // A full 64-bit id: ids are drawn from a random part, the time and a counter.
    std::uint64_t id = 0;
    if (ImGui::InputScalar("Unique ID:", ImGuiDataType_U64, &id))
        if (GameObject* found = FindWaypointObject(id))
        {
            std::cout << "Waypoint with ID: " << id << " Added to comp" << std::endl;
            WaypointInterface* target = found->GetWaypoint();
            ApplyTo<Waypoint>(object, true, [target](Waypoint& edited) { edited.AddEdge(target); });
        }
    ImGui::TextUnformatted("");
}

void AnimatorEditor(GameObject& object, Animator& animator, bool isPrefab)
{
    EnableCheckbox("Enable ##Animator", object, animator, isPrefab);
    ImGui::TextUnformatted("Animation Controllers:");
    std::string chosen;
    const std::string current = animator.GetControllerName();
    const bool picked = Resources()
                            ? NameCombo("###animControllers", current, Resources()->animationControllers, chosen)
                            : NameCombo("###animControllers", current, kNoNames, chosen);
    if (picked)
        Edit<Animator>(object, isPrefab, EditRule{false, true, true},
                       [chosen](Animator& edited) { edited.SetController(chosen); });
}

void LightKindEditor(GameObject& object, Light& light, bool isPrefab)
{
    if (light.GetType() == Light::Directional)
        LightEditor<DirectionalLight>(object, light, isPrefab);
    else if (light.GetType() == Light::Point)
        LightEditor<PointLight>(object, light, isPrefab);
    else
        LightEditor<Light>(object, light, isPrefab);
}
}

void ShowSceneComponentEditor(GameObject& object, Component& component, bool isPrefab)
{
    switch (component.GetKind())
    {
    case CompEnum::Transform:
        return TransformEditor(object, static_cast<Transform&>(component), isPrefab);
    case CompEnum::Collider:
        return ColliderEditor(object, static_cast<Collider&>(component), isPrefab);
    case CompEnum::RigidBody:
        return RigidBodyEditor(object, static_cast<RigidBody&>(component), isPrefab);
    case CompEnum::MeshFilter:
        return MeshFilterEditor(object, static_cast<MeshFilter&>(component), isPrefab);
    case CompEnum::MeshRenderer:
        return MeshRendererEditor(object, static_cast<MeshRenderer&>(component), isPrefab);
    case CompEnum::Light:
        return LightKindEditor(object, static_cast<Light&>(component), isPrefab);
    case CompEnum::AudioListener:
        return AudioListenerEditor(object, static_cast<AudioListener&>(component), isPrefab);
    case CompEnum::AudioSource:
        return AudioSourceEditor(object, static_cast<AudioSource&>(component), isPrefab);
    case CompEnum::Waypoint:
        return WaypointEditor(object, static_cast<Waypoint&>(component), isPrefab);
    case CompEnum::Animator:
        return AnimatorEditor(object, static_cast<Animator&>(component), isPrefab);
    default:
        return;
    }
}
}
