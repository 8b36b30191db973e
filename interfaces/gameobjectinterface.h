#pragma once
#include <cstdint>
#include <string>
#include <vector>

class GameObject;
class TransformInterface;
class RigidBodyInterface;
class ColliderInterface;
class LightInterface;
class MeshFilterInterface;
class MeshRendererInterface;
class AnimatorInterface;
class AudioSourceInterface;
class CameraInterface;
class WaypointInterface;
class ImageInterface;
class RectTransformInterface;
class CanvasInterface;
class CanvasRendererInterface;
class ParticleSystemInterface;
class MonoBehaviorInterface;
class MonoBehaviorDLLInterface;

// 64-bit object id; 0 names no object.
using ObjectId = std::uint64_t;

// A scene object as scripts see it. Every component getter answers null when the object has none.
// The engine owns every object: scripts never delete one (they call Destroy).
class GameObjectInterface
{
public:
    virtual TransformInterface* GetTransform() const = 0;
    virtual RigidBodyInterface* GetRigidBody() const = 0;
    virtual ColliderInterface* GetCollider() const = 0;
    virtual LightInterface* GetLight() const = 0;
    virtual MeshFilterInterface* GetMeshFilter() const = 0;
    virtual MeshRendererInterface* GetMeshRenderer() const = 0;
    virtual AnimatorInterface* GetAnimator() const = 0;
    virtual AudioSourceInterface* GetAudioSource() const = 0;
    virtual CameraInterface* GetCamera() const = 0;
    virtual WaypointInterface* GetWaypoint() const = 0;
    virtual ImageInterface* GetImage() const = 0;
    virtual RectTransformInterface* GetRectTransform() const = 0;
    virtual CanvasInterface* GetCanvas() const = 0;
    virtual CanvasRendererInterface* GetCanvasRenderer() const = 0;
    virtual ParticleSystemInterface* GetParticleSystem() const = 0;
    // The first of the object's scripts whose name contains the text.
    virtual MonoBehaviorInterface* GetScript(const std::string& name) const = 0;
    virtual MonoBehaviorDLLInterface* GetMonoBehavior() const = 0;
    virtual const std::string& GetTag() const = 0;
    virtual void SetTag(const std::string& tag) = 0;
    virtual std::string GetName() const = 0;
    virtual ObjectId GetID() const = 0;
    // Tells every system when the value changes.
    virtual void SetActive(bool active) = 0;
    virtual bool IsActive() const = 0;
    virtual void Destroy() = 0;
    virtual GameObjectInterface* GetParent() const = 0;
    virtual const std::vector<GameObject*>& GetChildren() const = 0;

protected:
    ~GameObjectInterface() = default;
};
