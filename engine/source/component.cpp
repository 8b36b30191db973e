#include "component.h"

#include "gameobject.h"
#include "messagingsystem.h"

#include <utility>

GameObject* Component::GetGameObject(bool inPrefabs) const
{
    return owner_ && owner_->AnswersOwnerLookup(inPrefabs) ? owner_ : nullptr;
}

GameObjectInterface* Component::GetGameObjectInterface() const
{
    return GetGameObject(false);
}

void Component::SetEnabledAndNotify(bool enabled)
{
    if (enabled == enabled_)
        return;
    // Queued before the flag changes; by delivery the flag holds the new value.
    PostMessage(SystemId::None, SystemId::All,
                enabled_ ? MessageNames::DisableComponent : MessageNames::EnableComponent,
                std::pair<CompEnum, GameObject*>(type_, GetGameObject(false)));
    enabled_ = enabled;
}
