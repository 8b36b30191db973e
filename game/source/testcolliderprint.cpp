#include "testcolliderprint.h"

#include <array>
#include <cstdint>
#include <iostream>

#include "gameobjectinterface.h"
#include "gameservices.h"
#include "hitinfo.h"
#include "inputinterface.h"
#include "physicsinterface.h"
#include "transforminterface.h"

namespace
{
constexpr float kStep = 0.2f;
constexpr std::uint16_t kEnter = 13;
const Vector3 kRay{0.0f, 0.0f, -0.2f};

struct ArrowMove
{
    std::uint16_t key;
    Vector3 move;
};
// Left, up, right, down.
const std::array<ArrowMove, 4> kArrows{{
    {37, {-kStep, 0.0f, 0.0f}},
    {38, {0.0f, kStep, 0.0f}},
    {39, {kStep, 0.0f, 0.0f}},
    {40, {0.0f, -kStep, 0.0f}},
}};
} // namespace

void TestColliderPrint::Start()
{
    std::cout << owner->GetName() << " has this script" << std::endl;
}

void TestColliderPrint::Update()
{
    InputInterface& input = *gServices.input;
    TransformInterface& transform = *owner->GetTransform();
    for (const ArrowMove& arrow : kArrows)
        if (input.IsKeyTriggered(arrow.key))
            transform.SetPosition(transform.GetPosition() + arrow.move);
    if (!input.IsKeyPressed(kEnter))
        return;
    std::cout << "Pressed Space" << std::endl;
    const HitInfo hit = gServices.physics->RaycastOBB(transform.GetPosition(), kRay, false);
    if (hit.object)
        std::cout << "Name : " << hit.object->GetName() << " , Dist is : " << hit.distance << std::endl;
}
