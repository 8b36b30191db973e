#include "objectlist.h"

#include <algorithm>

bool ObjectList::Add(GameObject* object)
{
    if (!where_.try_emplace(object, slots_.size()).second)
        return false;
    slots_.push_back(object);
    return true;
}

bool ObjectList::Remove(const GameObject* object)
{
    const auto found = where_.find(object);
    if (found == where_.end())
        return false;
    slots_[found->second] = nullptr;
    where_.erase(found);
    holes_ = true;
    return true;
}

void ObjectList::RemoveIf(const std::function<bool(GameObject*)>& picked)
{
    for (GameObject*& object : slots_)
        if (object && picked(object))
        {
            where_.erase(object);
            object = nullptr;
            holes_ = true;
        }
}

const std::vector<GameObject*>& ObjectList::Objects() const
{
    if (!holes_)
        return slots_;
    std::erase(slots_, nullptr);
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        where_[slots_[slot]] = slot;
    holes_ = false;
    return slots_;
}
