#include "filedobjects.h"

#include <algorithm>

void FiledObjects::Append(GameObject* object)
{
    if (!order_.emplace(object, filed_ + 1).second)
        return;
    ++filed_;
    objects_.push_back(object);
}

void FiledObjects::Remove(GameObject* object)
{
    if (order_.erase(object) > 0)
        std::erase(objects_, object);
}

std::uint64_t FiledObjects::OrderOf(const GameObject* object) const
{
    const auto found = order_.find(object);
    return found == order_.end() ? 0 : found->second;
}
