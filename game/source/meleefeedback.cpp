#include "meleefeedback.h"

#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "transforminterface.h"

namespace
{
constexpr float kFullScale = 0.05f;
constexpr float kGrowthPerSecond = 0.125f;
} // namespace

void MeleeFeedback::Reload()
{
    transform = owner->GetTransform();
}

void MeleeFeedback::Start()
{
    Reload();
}

void MeleeFeedback::Update()
{
    const float scale = MoveTowards(transform->GetScale().x, kFullScale, gServices.dt * kGrowthPerSecond);
    transform->SetScale({scale, scale, scale});
    if (transform->GetScale().x >= kFullScale)
        gServices.factory->Destroy(owner);
}
