#include "renderlists.h"

#include "assertion.h"
#include "c_canvas.h"
#include "c_canvasrenderer.h"
#include "c_image.h"
#include "c_recttransform.h"
#include "camerainterface.h"
#include "colliderinterface.h"
#include "gameobject.h"
#include "imageinterface.h"
#include "lightinterface.h"
#include "meshrendererinterface.h"
#include "recttransforminterface.h"
#include "transforminterface.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace
{
constexpr std::uint32_t kDirectionalLight = 0;
constexpr std::uint32_t kPointLight = 1;

// Into the active or the disabled list by the component's flag, unless already there.
void FileByFlag(ObjectLists& lists, GameObject* object, bool enabled)
{
    (enabled ? lists.active : lists.disabled).Add(object);
}

void EraseFrom(ObjectLists& lists, const GameObject* object)
{
    lists.active.Remove(object);
    lists.disabled.Remove(object);
}

// Moves the object from one list to the other; nothing when it is not in the first.
void Move(ObjectSet& from, ObjectSet& to, GameObject* object)
{
    if (from.Remove(object))
        to.Add(object);
}

void Enable(ObjectLists& lists, GameObject* object)
{
    Move(lists.disabled, lists.active, object);
}

void Disable(ObjectLists& lists, GameObject* object)
{
    Move(lists.active, lists.disabled, object);
}
}

RenderLists::RenderLists(TransparencyTest isTransparent) : isTransparent_(std::move(isTransparent))
{
}

bool RenderLists::IsTransparent(const GameObject& object) const
{
    const MeshRendererInterface* renderer = object.GetMeshRenderer();
    if (!renderer)
        return false;
    for (int i = 0; i < renderer->GetMaterialCount(); ++i)
        if (isTransparent_(renderer->GetMaterialName(i)))
            return true;
    return false;
}

ObjectLists* RenderLists::LightLists(const GameObject& object)
{
    const LightInterface* light = object.GetLight();
    if (!light)
        return nullptr;
    if (light->GetType() == kPointLight)
        return &pointLights;
    return light->GetType() == kDirectionalLight ? &directionalLights : nullptr;
}

void RenderLists::FileObject(GameObject* object)
{
    ASSERT(object, "Graphics System registering nullptr. RegisterObject function call");
    if (!object || object->IsDestroyed())
        return;
    AddLight(object);
    AddRenderable(object);
    if (CameraInterface* camera = object->GetCamera())
    {
        if (camera->IsEnabled())
        {
            cameras.active.Add(object);
            SetMainCamera(object->GetID());
        }
        else
            cameras.disabled.Add(object);
    }
    if (const ColliderInterface* collider = object->GetCollider())
        FileByFlag(colliders, object, collider->IsEnabled());
    if (object->GetCanvasRenderer())
        canvasRenderers.active.Add(object);
    AddCanvas(object);
    if (object->GetParticleSystem())
        particleSystems.active.Add(object);
}

void RenderLists::AddLight(GameObject* object)
{
    const LightInterface* light = object->GetLight();
    if (ObjectLists* lists = LightLists(*object))
        FileByFlag(*lists, object, light->IsEnabled());
}

void RenderLists::AddRenderable(GameObject* object)
{
    const MeshRendererInterface* renderer = object->GetMeshRenderer();
    if (!renderer)
        return;
    const bool enabled = renderer->IsEnabled();
    if (IsTransparent(*object))
        FileByFlag(transparentRenderables, object, enabled);
    else
        FileByFlag(opaqueRenderables, object, enabled);
}

void RenderLists::AddCanvas(GameObject* object)
{
    if (object->GetCanvas())
        canvases.active.Add(object);
}

void RenderLists::UnfileObject(GameObject* object)
{
    if (!Check(object, "Graphics System unregistering nullptr. UnregisterObject function call"))
        return;
    object->DetachChildren();
    if (!unorderedDepths_.empty())
        unorderedDepths_.erase(object->GetID());
    RemoveLight(object);
    RemoveRenderable(object);
    RemoveCamera(object);
    RemoveCollider(object);
    RemoveCanvasRenderer(object);
    RemoveCanvas(object);
    RemoveParticleSystem(object);
}

void RenderLists::RemoveRenderable(GameObject* object)
{
    EraseFrom(opaqueRenderables, object);
    EraseFrom(transparentRenderables, object);
}

void RenderLists::RemoveLight(GameObject* object)
{
    // From both: the light may be gone or of another type than when it was filed.
    EraseFrom(pointLights, object);
    EraseFrom(directionalLights, object);
}

void RenderLists::RemoveCamera(GameObject* object)
{
    // By the lists, not the camera: one taken off the object still leaves it the game camera's owner.
    const bool filed = cameras.active.Contains(object) || cameras.disabled.Contains(object);
    EraseFrom(cameras, object);
    if (!filed && !object->GetCamera())
        return;
    if (cameras.active.empty())
    {
        gameCameraTransform_ = nullptr;
        gameCamera_ = nullptr;
    }
    else
        MakeGameCamera(cameras.active.back());
}

void RenderLists::RemoveCollider(GameObject* object)
{
    EraseFrom(colliders, object);
}

void RenderLists::RemoveCanvasRenderer(GameObject* object)
{
    GameObject* parent = object->GetParent();
    if (parent && parent->GetCanvas())
        parent->RemoveChild(object);
    EraseFrom(canvasRenderers, object);
}

void RenderLists::RemoveCanvas(GameObject* object)
{
    EraseFrom(canvases, object);
}

void RenderLists::RemoveParticleSystem(GameObject* object)
{
    EraseFrom(particleSystems, object);
}

void RenderLists::SwitchKind(GameObject* object, CompEnum kind, bool enable)
{
    const auto apply = [&](ObjectLists& lists) { enable ? Enable(lists, object) : Disable(lists, object); };
    switch (kind)
    {
    case CompEnum::Light:
        if (ObjectLists* lists = LightLists(*object))
            apply(*lists);
        break;
    case CompEnum::MeshRenderer:
        if (!enable)
        {
            // A disabled blended renderer is hidden like an opaque one.
            apply(opaqueRenderables);
            apply(transparentRenderables);
        }
        else if (object->GetMeshRenderer())
            apply(IsTransparent(*object) ? transparentRenderables : opaqueRenderables);
        break;
    case CompEnum::Camera:
        apply(cameras);
        break;
    case CompEnum::Collider:
        apply(colliders);
        break;
    case CompEnum::Canvas:
        apply(canvases);
        break;
    case CompEnum::ParticleSystem:
        apply(particleSystems);
        break;
    default:
        break;
    }
}

void RenderLists::RunForKind(GameObject* object, CompEnum kind, bool enable)
{
    // In the order a whole object is enabled or disabled.
    static constexpr CompEnum kKinds[] = {CompEnum::Light,    CompEnum::MeshRenderer, CompEnum::Camera,
                                          CompEnum::Collider, CompEnum::Canvas,       CompEnum::ParticleSystem};
    if (!Check(object, "Graphics System disabling nullptr. Message sent a nullptr"))
        return;
    const bool wholeObject = static_cast<std::uint32_t>(kind) == 0;
    for (const CompEnum each : kKinds)
        if (wholeObject || each == kind)
            SwitchKind(object, each, enable);
}

void RenderLists::OnEnableComponent(GameObject* object, CompEnum kind)
{
    RunForKind(object, kind, true);
}

void RenderLists::OnDisableComponent(GameObject* object, CompEnum kind)
{
    RunForKind(object, kind, false);
}

void RenderLists::ReclassifyOpaqueRenderables()
{
    opaqueRenderables.active.RemoveIf([&](GameObject* object) {
        if (!IsTransparent(*object))
            return false;
        transparentRenderables.active.Add(object);
        return true;
    });
}

void RenderLists::ReclassifyTransparentRenderables()
{
    transparentRenderables.active.RemoveIf([&](GameObject* object) {
        if (IsTransparent(*object))
            return false;
        opaqueRenderables.active.Add(object);
        return true;
    });
}

void RenderLists::SetMainCamera(std::uint64_t objectId)
{
    if (cameras.active.empty())
        return;
    const auto found =
        std::ranges::find_if(cameras.active, [&](const GameObject* object) { return object->GetID() == objectId; });
    MakeGameCamera(found != cameras.active.end() ? *found : cameras.active.back());
}

void RenderLists::MakeGameCamera(GameObject* object)
{
    gameCameraTransform_ = object->GetTransform();
    gameCamera_ = object->GetCamera();
    if (!gameCamera_)
        return;
    gameCamera_->SetViewDirty(true);
    gameCamera_->SetProjectionDirty(true);
}

void RenderLists::SortTransparentRenderables()
{
    transparencyOrder_.clear();
    for (GameObject* object : transparentRenderables.active)
    {
        float distance = 0.0f;
        const TransformInterface* transform = object->GetTransform();
        if (gameCameraTransform_ && transform)
            distance = (transform->GetPosition() - gameCameraTransform_->GetPosition()).Length();
        transparencyOrder_.emplace(distance, object);
    }
}

void RenderLists::SortCanvasRenderers()
{
    uiOrder_.clear();
    for (GameObject* object : canvasRenderers.active)
    {
        const auto* renderer = object->GetComponent<CanvasRenderer>();
        const Canvas* canvas = renderer ? renderer->GetCanvas() : nullptr;
        const GameObject* canvasObject = canvas ? canvas->GetGameObject(false) : nullptr;
        if (!canvasObject || !canvasObject->IsActive() || !canvas->IsEnabled() || !object->IsActive())
            continue;
        const RectTransformInterface* rect = object->GetRectTransform();
        const ImageInterface* image = object->GetImage();
        if (!rect || !image || !rect->IsEnabled() || !image->IsEnabled())
            continue;
        uiOrder_.emplace_back(UIDepth(*object, rect->GetPosition().z), object);
    }
    // Stable: of equal depths the one later in the list is drawn later, on top.
    std::ranges::stable_sort(uiOrder_, {}, &std::pair<float, GameObject*>::first);
}

float RenderLists::UIDepth(const GameObject& element, float z)
{
    if (std::isfinite(z))
        return z;
    if (unorderedDepths_.insert(element.GetID()).second)
        ReportAssertion("UI element " + element.GetName() + " has a depth that is not a finite number (" +
                            std::to_string(z) + "); it is drawn at depth 0",
                        __FILE__, __LINE__);
    return 0.0f;
}

bool IsScreenCover(const GameObject& element)
{
    const auto* image = element.GetComponent<Image>();
    const auto* renderer = element.GetComponent<CanvasRenderer>();
    const RectTransformInterface* rect = element.GetRectTransform();
    if (!image || !renderer || !renderer->GetCanvas() || !rect || image->GetMaterial().hasDiffuseMap)
        return false;
    return CoversDesignCanvas(rect->GetPosition(), rect->GetScale(), rect->GetRotation(),
                              renderer->GetCanvas()->GetPPU());
}

Vector4 PickingColor(std::uint32_t index)
{
    auto channel = [&](int shift) { return static_cast<float>((index >> shift) & 0xFF) / 255.0f; };
    return Vector4(channel(0), channel(8), channel(16), 1.0f);
}

std::uint32_t PickedIndex(unsigned char red, unsigned char green, unsigned char blue)
{
    return red + green * 256u + blue * 65536u;
}

GameObject* PickedObject(std::uint32_t index, const std::vector<GameObject*>& objects)
{
    if (index == kNothingPicked || index >= objects.size())
        return nullptr;
    return objects[index];
}
