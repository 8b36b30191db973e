#include "doors.h"

#include "audiointerface.h"
#include "gameservices.h"
#include "objectfactoryinterface.h"
#include "transforminterface.h"

void OpenDoor(GameObjectInterface& door, std::initializer_list<std::pair<const char*, float>> sounds)
{
    const Vector3 position = door.GetTransform()->GetPosition();
    gServices.factory->Destroy(&door);
    for (const auto& [name, volume] : sounds)
        gServices.audio->PlayOneShot(name, volume, position);
}
