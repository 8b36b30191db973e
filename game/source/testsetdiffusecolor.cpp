#include "testsetdiffusecolor.h"

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "meshrendererinterface.h"

namespace
{
const Vector4 kRed{1.0f, 0.0f, 0.0f, 0.0f};
const Vector4 kGreen{0.0f, 1.0f, 0.0f, 0.0f};
// The timer starts over before it grows too large for whole seconds.
constexpr float kTimerLimit = 6000.0f;

void Paint(const GameObjectInterface& object, const Vector4& colour)
{
    if (MeshRendererInterface* renderer = object.GetMeshRenderer())
        renderer->SetDiffuseColor(colour);
}
} // namespace

void TestSetDiffuseColor::Start()
{
    Paint(*owner, kRed);
}

void TestSetDiffuseColor::Update()
{
    if (timer > kTimerLimit)
        timer = 0.0f;
    timer += gServices.dt;
    Paint(*owner, static_cast<long>(timer) % 2 == 1 ? kRed : kGreen);
}
