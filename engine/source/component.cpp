#include "component.h"

#include "gameobject.h"
#include "messagingsystem.h"

#include <atomic>
#include <utility>

std::uint64_t Component::NextSerial()
{
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

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
    // Queued before the flag changes; by delivery the flag holds the new value. An object not yet live (one
    // being read from a file, a prefab) is told to nobody: the systems read its flags when it registers.
    if (GameObject* object = GetGameObject(false))
        PostMessage(SystemId::None, SystemId::All,
                    enabled_ ? MessageNames::DisableComponent : MessageNames::EnableComponent,
                    std::pair<CompEnum, GameObject*>(type_, object));
    enabled_ = enabled;
}
