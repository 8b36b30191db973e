#pragma once
#include "camerainterface.h"
#include "component.h"

// A perspective view. The renderer keeps the matrices; the camera holds what they are built from and
// the two flags that tell the renderer to rebuild them.
class Camera : public ComponentBase<CameraInterface>
{
public:
    Camera() : ComponentBase(CompEnum::Camera) {}

    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetName() const override { return "Camera"; }
    // Both flags set, so the copy's first frame builds its matrices.
    std::unique_ptr<Component> Clone() const override;
    bool Compare(const Component& other) const override;

    void SetFOV(const float& degrees) override { fov_ = degrees; }
    void SetNear(const float& distance) override { near_ = distance; }
    void SetFar(const float& distance) override { far_ = distance; }
    void SetMouseSensitivity(const float& sensitivity) override { mouseSensitivity_ = sensitivity; }
    void SetViewDirty(const bool& dirty) override { viewDirty_ = dirty; }
    void SetProjectionDirty(const bool& dirty) override { projectionDirty_ = dirty; }
    const float& GetFOV() const override { return fov_; }
    const float& GetNear() const override { return near_; }
    const float& GetFar() const override { return far_; }
    const float& GetMouseSensitivity() const override { return mouseSensitivity_; }
    const bool& IsViewDirty() const override { return viewDirty_; }
    const bool& IsProjectionDirty() const override { return projectionDirty_; }

private:
    float fov_ = 60.0f;
    float near_ = 0.1f;
    float far_ = 100.0f;
    float mouseSensitivity_ = 0.1f;
    bool viewDirty_ = true;
    bool projectionDirty_ = true;
};
