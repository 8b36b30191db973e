#include "testparent.h"

#include "gameobjectinterface.h"
#include "transforminterface.h"

void TestParent::Update()
{
    TransformInterface& transform = *owner->GetTransform();
    transform.SetRotation(transform.GetRotation() + Vector3(0.0f, 1.0f, 0.0f));
}
