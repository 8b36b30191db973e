#pragma once
// Fakes of the component interfaces scripts use, for the fake world (fakeworld.h). Each keeps what a script
// set in plain public fields a test reads and writes, and records the requests a real system would act on
// later (velocities, animation plays, sound plays). A new fake derives from FakeComponentOf (or
// FakeSwitchableOf, for interfaces that begin with SetEnabled and IsEnabled) and is found by
// FakeObject::Find through its interface.
#include "animatorinterface.h"
#include "audiosourceinterface.h"
#include "camerainterface.h"
#include "canvasinterface.h"
#include "canvasrendererinterface.h"
#include "colliderinterface.h"
#include "imageinterface.h"
#include "lightinterface.h"
#include "meshfilterinterface.h"
#include "meshrendererinterface.h"
#include "particlesysteminterface.h"
#include "recttransforminterface.h"
#include "rigidbodyinterface.h"
#include "waypointinterface.h"

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

class GameObjectInterface;

// What every fake component has: the object it reports as its owner and a copy for prefab instances.
class FakeComponent
{
public:
    virtual ~FakeComponent() = default;
    virtual std::unique_ptr<FakeComponent> Copy() const = 0;

    GameObjectInterface* owner = nullptr;
    bool enabled = true;
};

template <class Interface, class Derived>
class FakeComponentOf : public FakeComponent, public Interface
{
public:
    std::unique_ptr<FakeComponent> Copy() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
    GameObjectInterface* GetGameObject() const override { return owner; }
};

// The enabled flag is only stored: no system hears of it.
template <class Interface, class Derived>
class FakeSwitchableOf : public FakeComponentOf<Interface, Derived>
{
public:
    void SetEnabled(bool on) override { this->enabled = on; }
    bool IsEnabled() const override { return this->enabled; }
};

// Records every velocity and force asked of it; its velocity is what the test says the physics made.
class FakeRigidBody final : public FakeSwitchableOf<RigidBodyInterface, FakeRigidBody>
{
public:
    static constexpr float kStaticMass = 10000.0f;

    void SetMass(const float& value) override
    {
        if (std::fabs(value) > 1e-6f)
            mass = isStatic ? kStaticMass : value;
    }
    const float& GetMass() const override { return mass; }
    void SetStatic(bool value) override
    {
        isStatic = value;
        SetMass(mass);
    }
    bool IsStatic() const override { return isStatic; }
    void SetGravityScale(float scale) override { gravityScale = scale; }
    float GetGravityScale() const override { return gravityScale; }
    void SetForce(const Vector3& value) override { force = value; }
    const Vector3& GetForce() const override { return force; }
    void SetVelocity(const Vector3& target) override { velocityRequests.push_back(target); }
    Vector3& GetVelocity() override { return velocity; }
    void AddForce(const Vector3& value) override { addedForces.push_back(value); }

    // The last velocity asked for; a test fails when none was.
    const Vector3& LastVelocityRequest() const
    {
        static const Vector3 none{NAN, NAN, NAN};
        return velocityRequests.empty() ? none : velocityRequests.back();
    }

    float mass = 1.0f;
    bool isStatic = false;
    float gravityScale = 1.0f;
    Vector3 force;
    Vector3 velocity;
    std::vector<Vector3> velocityRequests;
    std::vector<Vector3> addedForces;
};

// One shape with the interface's rules: a measure the shape lacks is ignored when set and reads -1 (zero size).
class FakeCollider final : public FakeSwitchableOf<ColliderInterface, FakeCollider>
{
public:
    static FakeCollider Box(const Vector3& size)
    {
        FakeCollider box;
        box.type = ColliderType::Box;
        box.size = size;
        return box;
    }
    static FakeCollider Sphere(float radius)
    {
        FakeCollider sphere;
        sphere.type = ColliderType::Sphere;
        sphere.radius = radius;
        return sphere;
    }
    static FakeCollider Capsule(float radius, float height)
    {
        FakeCollider capsule = Sphere(radius);
        capsule.type = ColliderType::Capsule;
        capsule.height = height;
        return capsule;
    }

    ColliderType GetType() const override { return type; }
    void SetTrigger(bool value) override { trigger = value; }
    bool IsTrigger() const override { return trigger; }
    void SetOffset(const Vector3& value) override { offset = value; }
    const Vector3& GetOffset() const override { return offset; }
    void SetSize(const Vector3& value) override
    {
        if (type == ColliderType::Box && value.x > 0 && value.y > 0 && value.z > 0)
            size = value;
    }
    const Vector3& GetSize() const override
    {
        static const Vector3 none;
        return type == ColliderType::Box ? size : none;
    }
    void SetRadius(float value) override
    {
        if (type != ColliderType::Box && value > 0)
            radius = value;
    }
    float GetRadius() const override { return type == ColliderType::Box ? -1.0f : radius; }
    void SetHeight(float value) override
    {
        if (type == ColliderType::Capsule && value > 0)
            height = value;
    }
    float GetHeight() const override { return type == ColliderType::Capsule ? height : -1.0f; }

    ColliderType type = ColliderType::Box;
    bool trigger = false;
    Vector3 offset;
    Vector3 size{1.0f, 1.0f, 1.0f};
    float radius = 0.5f;
    float height = 2.0f;
};

// The test sets the state, the current frame and the end frame; Play records the state and starts it at
// its first frame.
class FakeAnimator final : public FakeSwitchableOf<AnimatorInterface, FakeAnimator>
{
public:
    void Play(std::string name) override
    {
        played.push_back(name);
        state = std::move(name);
        currentFrame = startFrame;
    }
    void Restart() override { Play(defaultState); }
    void Pause() override { paused = true; }
    void Resume() override { paused = false; }
    void SetSpeed(const float& value) override { speed = value; }
    void SetStateSpeed(std::string name, const float& value) override { stateSpeeds[name] = value; }
    std::string GetCurrentState() const override { return state; }
    float GetSpeed() const override { return speed; }
    float GetStateSpeed(std::string name) const override
    {
        const auto found = stateSpeeds.find(name);
        return found == stateSpeeds.end() ? 1.0f : found->second;
    }
    const bool& IsPaused() const override { return paused; }
    bool IsLooping() const override { return looping && !paused; }
    float GetStartTime() const override { return startTime; }
    float GetEndTime() const override { return endTime; }
    float GetCurrentTime() const override { return currentTime; }
    float GetStartFrame() const override { return startFrame; }
    float GetEndFrame() const override { return endFrame; }
    float GetCurrentFrame() const override { return currentFrame; }

    std::string state;
    std::string defaultState;
    std::vector<std::string> played;
    std::map<std::string, float> stateSpeeds;
    float speed = 1.0f;
    bool paused = false;
    bool looping = false;
    float startTime = 0.0f;
    float endTime = 0.0f;
    float currentTime = 0.0f;
    float startFrame = 0.0f;
    float endFrame = 0.0f;
    float currentFrame = 0.0f;
};

class FakeAudioSource final : public FakeSwitchableOf<AudioSourceInterface, FakeAudioSource>
{
public:
    void Play() override
    {
        paused = false;
        ++plays;
    }
    void Pause(bool value) override { paused = value; }
    void Stop() override
    {
        paused = false;
        ++stops;
    }
    void Fade(bool fadeIn) override { fades.push_back(fadeIn); }
    bool IsPaused() const override { return paused; }
    void SetClip(const std::string& name) override
    {
        if (!name.empty())
            clip = name;
    }

    std::string clip;
    bool paused = false;
    int plays = 0;
    int stops = 0;
    // True for a fade in, in call order.
    std::vector<bool> fades;
};

class FakeCamera final : public FakeSwitchableOf<CameraInterface, FakeCamera>
{
public:
    void SetFOV(const float& degrees) override { fov = degrees; }
    void SetNear(const float& distance) override { nearPlane = distance; }
    void SetFar(const float& distance) override { farPlane = distance; }
    void SetMouseSensitivity(const float& value) override { mouseSensitivity = value; }
    void SetViewDirty(const bool& dirty) override { viewDirty = dirty; }
    void SetProjectionDirty(const bool& dirty) override { projectionDirty = dirty; }
    const float& GetFOV() const override { return fov; }
    const float& GetNear() const override { return nearPlane; }
    const float& GetFar() const override { return farPlane; }
    const float& GetMouseSensitivity() const override { return mouseSensitivity; }
    const bool& IsViewDirty() const override { return viewDirty; }
    const bool& IsProjectionDirty() const override { return projectionDirty; }

    float fov = 60.0f;
    float nearPlane = 0.1f;
    float farPlane = 100.0f;
    float mouseSensitivity = 0.1f;
    bool viewDirty = false;
    bool projectionDirty = false;
};

// A point light unless the test sets another type; range belongs to point lights, direction to directional.
class FakeLight final : public FakeSwitchableOf<LightInterface, FakeLight>
{
public:
    static constexpr unsigned kDirectional = 0;
    static constexpr unsigned kPoint = 1;

    unsigned GetType() const override { return type; }
    Vector3 GetAmbient() const override { return ambient; }
    Vector3 GetDiffuse() const override { return diffuse; }
    Vector3 GetSpecular() const override { return specular; }
    float GetIntensity() const override { return intensity; }
    Vector3 GetDirection() const override { return type == kDirectional ? direction : Vector3(); }
    float GetRange() const override { return type == kPoint ? range : 0.0f; }
    void SetAmbient(const Vector3& colour) override { ambient = colour; }
    void SetDiffuse(const Vector3& colour) override { diffuse = colour; }
    void SetSpecular(const Vector3& colour) override { specular = colour; }
    void SetIntensity(const float& value) override { intensity = value; }
    void SetDirection(const Vector3& value) override
    {
        if (type == kDirectional)
            direction = value;
    }
    void SetRange(const float& value) override
    {
        if (type == kPoint)
            range = value;
    }

    unsigned type = kPoint;
    Vector3 ambient;
    Vector3 diffuse{1.0f, 1.0f, 1.0f};
    Vector3 specular{1.0f, 1.0f, 1.0f};
    float intensity = 1.0f;
    Vector3 direction{0.0f, -1.0f, 0.0f};
    float range = 5.0f;
};

class FakeMeshFilter final : public FakeSwitchableOf<MeshFilterInterface, FakeMeshFilter>
{
public:
    const std::string& GetMeshName() const override { return meshName; }
    void SetMeshName(const std::string& name) override { meshName = name; }

    std::string meshName;
};

// One entry of `materials` per material slot; an index outside them is ignored (getters answer zero).
class FakeMeshRenderer final : public FakeSwitchableOf<MeshRendererInterface, FakeMeshRenderer>
{
public:
    struct Slot
    {
        std::string name;
        Vector4 colour{1.0f, 1.0f, 1.0f, 1.0f};
    };

    explicit FakeMeshRenderer(std::vector<std::string> names = {})
    {
        for (std::string& name : names)
            materials.push_back({std::move(name)});
    }

    void SetDiffuseColorAt(const Vector4& colour, const int& index) override
    {
        if (Slot* slot = At(index))
            slot->colour = colour;
    }
    void SetDiffuseColor(const Vector4& colour) override { SetDiffuseColorAt(colour, 0); }
    Vector4 GetDiffuseColorAt(const int& index) const override
    {
        const Slot* slot = At(index);
        return slot ? slot->colour : Vector4();
    }
    Vector4 GetDiffuseColor() const override { return GetDiffuseColorAt(0); }
    int GetMaterialCount() const override { return static_cast<int>(materials.size()); }
    std::string GetMaterialName(const int& index) const override
    {
        const Slot* slot = At(index);
        return slot ? slot->name : "defaultMaterial";
    }
    void SetMaterialName(const std::string& name, const int& index) override
    {
        if (Slot* slot = At(index))
            slot->name = name;
    }
    void SetAlpha(const float& value) override
    {
        alpha = value;
        for (Slot& slot : materials)
            slot.colour.w = value;
    }
    float GetAlpha() const override { return alpha; }
    void SetMaterialAlpha(const float& value, const int& index) override
    {
        if (Slot* slot = At(index))
            slot->colour.w = value;
    }
    float GetMaterialAlpha(const int& index) const override { return GetDiffuseColorAt(index).w; }

    std::vector<Slot> materials;
    float alpha = 1.0f;

private:
    Slot* At(int index) { return index >= 0 && index < GetMaterialCount() ? &materials[index] : nullptr; }
    const Slot* At(int index) const { return index >= 0 && index < GetMaterialCount() ? &materials[index] : nullptr; }
};

// The material is only named: its tint stays the image's colour.
class FakeImage final : public FakeSwitchableOf<ImageInterface, FakeImage>
{
public:
    void SetColor(const Vector4& value) override { colour = value; }
    void SetAlpha(const float& value) override { colour.w = value; }
    void SetMaterial(std::string name) override { material = std::move(name); }
    Vector4 GetColor() const override { return colour; }
    float GetAlpha() const override { return colour.w; }

    Vector4 colour{1.0f, 1.0f, 1.0f, 1.0f};
    std::string material;
};

class FakeRectTransform final : public FakeSwitchableOf<RectTransformInterface, FakeRectTransform>
{
public:
    void SetPosition(const Vector3& value) override { position = value; }
    void SetScale(const Vector2& value) override { scale = value; }
    void SetRotation(const float& degrees) override { rotation = degrees; }
    void SetRotationMatrix(const Matrix3& value) override { rotationMatrix = value; }
    const Vector3& GetPosition() const override { return position; }
    const Vector2& GetScale() const override { return scale; }
    const float& GetRotation() const override { return rotation; }
    const Matrix3& GetRotationMatrix() const override { return rotationMatrix; }
    Matrix4 GetModelMatrix(const unsigned& /*pixelsPerUnit*/) const override { return Matrix4(); }

    Vector3 position;
    Vector2 scale{1.0f, 1.0f};
    float rotation = 0.0f;
    Matrix3 rotationMatrix;
};

class FakeCanvas final : public FakeSwitchableOf<CanvasInterface, FakeCanvas>
{
public:
    void SetPPU(const unsigned& value) override { pixelsPerUnit = value; }
    const unsigned& GetPPU() const override { return pixelsPerUnit; }

    unsigned pixelsPerUnit = 100;
};

class FakeCanvasRenderer final : public FakeSwitchableOf<CanvasRendererInterface, FakeCanvasRenderer>
{
};

// The play flags as the particle system keeps them.
class FakeParticleSystem final : public FakeComponentOf<ParticleSystemInterface, FakeParticleSystem>
{
public:
    void Play() override { SetFlags(true, false, false, true); }
    void Pause() override { SetFlags(false, true, false, emitting); }
    void Stop() override { SetFlags(false, false, true, false); }
    int GetEmissionRate() const override { return emissionRate; }
    void SetEmissionRate(int value) override { emissionRate = value; }
    float GetDuration() const override { return duration; }
    void SetDuration(float value) override { duration = value; }
    float GetStartLifetime() const override { return startLifetime; }
    void SetStartLifetime(float value) override { startLifetime = value; }
    float GetColourMinAlpha() const override { return colourMinAlpha; }
    void SetColourMinAlpha(float value) override { colourMinAlpha = value; }
    float GetColourMaxAlpha() const override { return colourMaxAlpha; }
    void SetColourMaxAlpha(float value) override { colourMaxAlpha = value; }
    bool IsPlaying() const override { return playing; }
    bool IsPaused() const override { return paused; }
    bool IsStopped() const override { return stopped; }
    bool IsEmitting() const override { return emitting; }

    int emissionRate = 10;
    float duration = 5.0f;
    float startLifetime = 5.0f;
    float colourMinAlpha = 255.0f;
    float colourMaxAlpha = 255.0f;
    bool playing = false;
    bool paused = false;
    bool stopped = true;
    bool emitting = false;

private:
    void SetFlags(bool isPlaying, bool isPaused, bool isStopped, bool isEmitting)
    {
        playing = isPlaying;
        paused = isPaused;
        stopped = isStopped;
        emitting = isEmitting;
    }
};
