#include "contactlist.h"

#include <algorithm>

bool ContactList::AppendOnce(const CollisionData& record)
{
    if (!pairs_.insert(KeyOf(record)).second)
        return false;
    records_.push_back(record);
    return true;
}

void ContactList::RemoveNaming(const GameObject* object, const std::function<void(const CollisionData&)>& removed)
{
    std::erase_if(records_, [&](const CollisionData& record) {
        if (record.objectA != object && record.objectB != object)
            return false;
        pairs_.erase(KeyOf(record));
        if (removed)
            removed(record);
        return true;
    });
}

void ContactList::Clear()
{
    records_.clear();
    pairs_.clear();
}

std::size_t ContactList::KeyHash::operator()(const Key& key) const
{
    const std::size_t first = std::hash<const GameObject*>{}(key.first);
    return first ^ (std::hash<const GameObject*>{}(key.second) + 0x9e3779b97f4a7c15ull + (first << 6) + (first >> 2));
}

ContactList::Key ContactList::KeyOf(const CollisionData& record)
{
    const GameObject* a = record.objectA;
    const GameObject* b = record.objectB;
    return std::less<const GameObject*>{}(a, b) ? Key{a, b} : Key{b, a};
}
