#pragma once
#include "TorvaneMath.h"
#include "compenum.h"
#include "objectset.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class GameObject;
class TransformInterface;
class CameraInterface;

// The objects of one kind that the renderer draws, and those it keeps aside while disabled.
struct ObjectLists
{
    ObjectSet active;
    ObjectSet disabled;
};

// What the renderer knows of the scene, kept current from registration and the enable and disable
// messages, and the per-frame orders drawn from it. Makes no GL call.
class RenderLists
{
public:
    // Whether the material of this name draws blended (render mode 1).
    using TransparencyTest = std::function<bool(const std::string& materialName)>;

    explicit RenderLists(TransparencyTest isTransparent);

    // Files the object by its components; an object filed already is not filed twice.
    void FileObject(GameObject* object);
    // Takes the object out of every list and detaches its children.
    void UnfileObject(GameObject* object);

    void AddRenderable(GameObject* object);
    void AddLight(GameObject* object);
    void AddCanvas(GameObject* object);
    void RemoveRenderable(GameObject* object);
    void RemoveLight(GameObject* object);
    // The last active camera becomes the game camera, or none is left.
    void RemoveCamera(GameObject* object);
    void RemoveCollider(GameObject* object);
    void RemoveCanvasRenderer(GameObject* object);
    void RemoveCanvas(GameObject* object);
    void RemoveParticleSystem(GameObject* object);

    // Every kind for the whole object, or the one kind named.
    void OnEnableComponent(GameObject* object, CompEnum kind);
    void OnDisableComponent(GameObject* object, CompEnum kind);

    // Moves renderables whose materials changed render mode between the opaque and transparent lists.
    void ReclassifyOpaqueRenderables();
    void ReclassifyTransparentRenderables();

    // The game camera: the active camera of that id, else the last active one; nothing without one.
    void SetMainCamera(std::uint64_t objectId);
    TransformInterface* GetGameCameraTransform() const { return gameCameraTransform_; }
    CameraInterface* GetGameCamera() const { return gameCamera_; }

    // Active transparent renderables by distance from the game camera, nearest first.
    void SortTransparentRenderables();
    // Drawable UI elements by depth, lowest first; equal depths keep list order. A depth that is not a
    // finite number is reported once for its element and taken as 0.
    void SortCanvasRenderers();
    const std::multimap<float, GameObject*>& TransparencyOrder() const { return transparencyOrder_; }
    const std::vector<std::pair<float, GameObject*>>& UIOrder() const { return uiOrder_; }

    // Whether any of the object's materials draws blended.
    bool IsTransparent(const GameObject& object) const;

    ObjectLists opaqueRenderables;
    ObjectLists transparentRenderables;
    ObjectLists pointLights;
    ObjectLists directionalLights;
    ObjectLists cameras;
    ObjectLists colliders;
    ObjectLists canvases;
    ObjectLists canvasRenderers;
    ObjectLists particleSystems;

private:
    // The point or directional pair of the object's light; null for a light of neither kind or none.
    ObjectLists* LightLists(const GameObject& object);
    void MakeGameCamera(GameObject* object);
    // Moves the object between the active and disabled lists of one kind.
    void SwitchKind(GameObject* object, CompEnum kind, bool enable);
    void RunForKind(GameObject* object, CompEnum kind, bool enable);
    // The element's depth for ordering.
    float UIDepth(const GameObject& element, float z);

    TransparencyTest isTransparent_;
    TransformInterface* gameCameraTransform_ = nullptr;
    CameraInterface* gameCamera_ = nullptr;
    std::multimap<float, GameObject*> transparencyOrder_;
    std::vector<std::pair<float, GameObject*>> uiOrder_;
    // Elements whose depth has been reported as not finite.
    std::unordered_set<std::uint64_t> unorderedDepths_;
};

// A UI element that veils the whole view in one plain colour: an image without a texture over the whole canvas.
// It has nothing of its own to show; scripts lift or show it, as a level's fade, a tint or a menu's backdrop.
bool IsScreenCover(const GameObject& element);

// Objects are picked by drawing each in a colour that encodes its index in the list being picked.
inline constexpr std::uint32_t kNothingPicked = 0xFFFFFF;
Vector4 PickingColor(std::uint32_t index);
// The index a read-back pixel encodes; kNothingPicked for the white background.
std::uint32_t PickedIndex(unsigned char red, unsigned char green, unsigned char blue);
// The object of that index, or null for the background or an index past the list.
GameObject* PickedObject(std::uint32_t index, const std::vector<GameObject*>& objects);
