#pragma once
// What the Inspector's editors share: the label colours, the widgets of the edit rules (Enter fields that
// commit only on Enter), recording and passing an edit on from a prefab to its instances, and the name lists
// behind the Add and Remove Component popups.
#include "editoractions.h"
#include "gameobject.h"
#include "imgui_compat.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class Material;
class MeshRenderer;
struct ParticleSettings;

namespace inspector
{
inline const ImVec4 kLabelGreen(0.0f, 1.0f, 0.0f, 1.0f);
inline const ImVec4 kLabelBlue(0.5f, 0.81f, 0.921f, 1.0f);
inline const ImVec4 kLabelPale(0.94f, 0.97f, 1.0f, 1.0f);
inline const ImVec4 kLabelMint(0.5f, 0.97f, 0.5f, 1.0f);

// How a widget's change is applied: recorded for undo or not, passed on to the instances of an inspected
// prefab or not, and whether the inspected object takes it before its instances.
struct EditRule
{
    bool recorded = false;
    bool propagated = false;
    bool objectFirst = false;
};
inline constexpr EditRule kDirect{};
inline constexpr EditRule kRecorded{true, false};
inline constexpr EditRule kRecordedPropagated{true, true};
inline constexpr EditRule kRecordedObjectFirst{true, true, true};

// The live objects made from the prefab object, in live order.
std::vector<GameObject*> InstancesOf(const GameObject& prefab);

template <class T, class Change>
void ApplyTo(GameObject& target, bool recorded, const Change& change)
{
    if (recorded)
        RecordComponentEdit<T>(target, change);
    else if (T* component = target.GetComponent<T>())
        change(*component);
}

// Applies change to the object's T and, for an inspected prefab and a propagated rule, to the T of every
// instance that has one; an instance without a T is skipped.
template <class T, class Change>
void Edit(GameObject& object, bool inspectedIsPrefab, EditRule rule, const Change& change)
{
    if (rule.objectFirst)
        ApplyTo<T>(object, rule.recorded, change);
    if (rule.propagated && inspectedIsPrefab)
        for (GameObject* instance : InstancesOf(object))
            ApplyTo<T>(*instance, rule.recorded, change);
    if (!rule.objectFirst)
        ApplyTo<T>(object, rule.recorded, change);
}

void ColouredText(const ImVec4& colour, const char* text);
// A tooltip over the last item while it is hovered.
void Tooltip(const char* text);
// A combo of names that stores the one chosen; true when it was open this frame.
bool NameCombo(const char* label, std::string& choice, const std::vector<std::string>& names,
               ImGuiComboFlags flags = 0);
// The "OK" and "Cancel" row of a confirmation popup; either closes it, true for "OK".
bool ConfirmButtons();
// Single-line fields without step buttons that report a change only when Enter is pressed in them; a width of
// 0 keeps the current one.
bool EnterFloat(const char* id, float& value, float width = 0.0f);
bool EnterInt(const char* id, int& value, float width = 0.0f);
// "x:", "y:", "z:" each with its field, on one line; a commit in any of them reports the whole vector.
bool EnterVector3(const std::array<const char*, 3>& ids, Vector3& value, float width);

// A combo over the keys of a name-keyed map: the current name is the preview, highlighted and focused by
// default. True, with the entry in chosen, when one was picked.
template <class Map>
bool NameCombo(const char* id, const std::string& current, const Map& names, std::string& chosen)
{
    bool picked = false;
    if (!ImGui::BeginCombo(id, current.c_str()))
        return picked;
    for (const auto& [name, value] : names)
    {
        const bool selected = name == current;
        if (ImGui::Selectable(name.c_str(), selected))
        {
            chosen = name;
            picked = true;
        }
        if (selected)
            ImGui::SetItemDefaultFocus();
    }
    ImGui::EndCombo();
    return picked;
}

// The registry's names the object may be given: without "MeshFilter" and "MeshRenderer" on a UI object,
// without "Canvas" and "CanvasRenderer" on a mesh object.
std::vector<std::string> AddableComponentNames(const GameObject& object);
// What the Remove Component popup offers for the object's components, in list order.
std::vector<std::string> RemovableComponentNames(const GameObject& object);
// Adds the chosen component, each addition recorded: a mesh filter and renderer together, and a rigid body
// with a collider.
void AddChosenComponent(GameObject& object, const std::string& choice);
// Removes the chosen component, each removal recorded (a mesh filter and renderer together). A name among
// scriptPrototypes erases that script from the object's script holder, when it has one, and is then true:
// the script editor must drop what it drew of it.
bool RemoveChosenComponent(GameObject& object, const std::string& choice,
                           const std::vector<std::string>& scriptPrototypes);

// The editors of the scene components (transform to animator), inside their open tree nodes.
void ShowSceneComponentEditor(GameObject& object, Component& component, bool inspectedIsPrefab);
// The first live object, in live order, whose waypoint has that unique id; null when none has.
GameObject* FindWaypointObject(std::uint64_t id);
// Appends "defaultMaterial" or drops names from the end until the renderer holds count (0 at least).
void ResizeMaterials(MeshRenderer& renderer, int count);

// A colour swatch whose picker makes one edit per use: the owner's colour is set live while the picker is
// held, and when it lets go the colour from before the first change is put back and the final one recorded.
class ColourEditRecorder
{
public:
    void Show(const char* id, const void* owner, Vector3 colour, const std::function<void(Vector3)>& set,
              const std::function<void(Vector3)>& record);
    // A change of the owner's colour; the first of an edit remembers the colour it started from.
    void Change(const void* owner, const Vector3& before);
    // The colour the owner's edit started from, once no widget is active any more; then the edit is over.
    std::optional<Vector3> End(const void* owner, bool anyItemActive);

private:
    const void* owner_ = nullptr;
    std::optional<Vector3> before_;
};

// The map the target names ("diffMap", "specMap", "nrmMap" or "heightMap") takes the texture, and its
// uses-map flag says whether it has one; any other target changes nothing.
void SetTextureSlot(Material& material, const std::string& target, const std::string& texture);
// A new render mode moves the renderables between the opaque and the transparent pass at once.
void SetRenderMode(Material& material, std::uint32_t mode);
// Names that files are made from: not empty, no separator and no "..".
bool IsPlainFileName(const std::string& name);
// "<name>.xml" in the materials folder under root; false, after a report, for a name that cannot name a file
// there and when it could not be written.
bool SaveMaterial(const Material& material, const std::string& rootFolder);
// The texture picker's columns for a window that wide; one at least.
int TexturePickerColumns(float windowWidth);

// The particle editor's "Burst Count": the entered number is stored clamped to 0..1; a step up from an empty
// burst list adds a burst (30, 1, 0.01, 0), a step down drops the last one, anything else only stores.
void SetBurstCount(ParticleSettings& settings, int entered);
// A colour component typed into the particle editor, clamped to 0..255.
void StoreColourComponent(float& component, int entered);
// The particle preview's play button: "Pause" while playing, "Play" otherwise, each under its id.
const char* ParticleToggleLabel(bool playing, bool paused);

// "<prefab name>_<prefab id>_Prefab.xml" for an instance's prefab; empty when no prefab has its prefab id.
std::string PrefabFileOf(const GameObject& instance);
// The instance's prefab takes its tag, active flag and copies of its components, keeping its own name and id,
// and is written to the prefab folder as the prefabs are saved. False, after a report, when the file could not
// be written or the prefab is unknown; the prefab is then left as it was.
bool SaveInstanceAsPrefab(const GameObject& instance);
}
