#pragma once
#include "component.h"
#include "lightinterface.h"

// A light's colours and strength. The renderer takes its direction and position from the object's
// Transform. Every kind answers "Light" to GetName, so an object holds one light of any kind; files know
// the kinds by their element names.
class Light : public ComponentBase<LightInterface>
{
public:
    enum Kind : unsigned
    {
        Directional = 0,
        Point = 1,
        Plain = 2,
    };

    Light() : Light(Plain) {}

    // A plain light keeps nothing in files.
    void Serialize(XMLWriter&, const Component*) const override {}
    void Deserialize(const XMLNode&) override {}
    std::string GetName() const override { return "Light"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<Light>(*this); }
    bool Compare(const Component& other) const override;

    unsigned GetType() const override { return kind_; }
    Vector3 GetAmbient() const override { return ambient_; }
    Vector3 GetDiffuse() const override { return diffuse_; }
    Vector3 GetSpecular() const override { return specular_; }
    float GetIntensity() const override { return intensity_; }
    Vector3 GetDirection() const override { return {}; }
    float GetRange() const override { return 0.0f; }
    void SetAmbient(const Vector3& colour) override { ambient_ = colour; }
    void SetDiffuse(const Vector3& colour) override { diffuse_ = colour; }
    void SetSpecular(const Vector3& colour) override { specular_ = colour; }
    void SetIntensity(const float& intensity) override { intensity_ = intensity; }
    void SetDirection(const Vector3&) override {}
    void SetRange(const float&) override {}

protected:
    explicit Light(Kind kind) : ComponentBase(CompEnum::Light), kind_(kind) {}
    // The shared part of the comparison: kinds, flags, colours (within the tolerance) and exact intensity.
    bool SameLight(const Light& other) const;

    // The kinds' member tables share its part; they load "Enabled" without telling any system.
    template <class Concrete>
    friend auto LightMembers();

private:
    unsigned kind_;
    Vector3 ambient_{0.05f, 0.05f, 0.05f};
    Vector3 diffuse_{1.0f, 1.0f, 1.0f};
    Vector3 specular_{1.0f, 1.0f, 1.0f};
    float intensity_ = 1.0f;
};

class DirectionalLight : public Light
{
public:
    DirectionalLight() : Light(Directional) {}

    // The whole element, whatever the prefab holds.
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetElementName() const override { return "DirectionalLight"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<DirectionalLight>(*this); }
    // Direction is not compared: the renderer takes the object's forward axis.
    bool Compare(const Component& other) const override;

    Vector3 GetDirection() const override { return direction_; }
    void SetDirection(const Vector3& direction) override { direction_ = direction; }

private:
    Vector3 direction_{0.0f, -1.0f, -1.0f};
};

class PointLight : public Light
{
public:
    PointLight() : Light(Point) {}

    // The whole element, whatever the prefab holds.
    void Serialize(XMLWriter& writer, const Component* prefab) const override;
    void Deserialize(const XMLNode& element) override;
    std::string GetElementName() const override { return "PointLight"; }
    std::unique_ptr<Component> Clone() const override { return std::make_unique<PointLight>(*this); }
    bool Compare(const Component& other) const override;

    float GetRange() const override { return range_; }
    void SetRange(const float& range) override { range_ = range; }

private:
    float range_ = 5.0f;
};
