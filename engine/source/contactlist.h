#pragma once
#include "collisiondata.h"

#include <cstddef>
#include <functional>
#include <unordered_set>
#include <utility>
#include <vector>

// Contact records in the order they came, at most one for each pair of objects (in either order). Looking a
// pair up costs the same however many records there are, since a whole scene can rest on one floor.
class ContactList
{
public:
    bool Holds(const CollisionData& record) const { return pairs_.contains(KeyOf(record)); }
    // Appends the record unless its pair is held already; true when it was appended.
    bool AppendOnce(const CollisionData& record);
    // Removes every record that names the object, handing each to `removed` first.
    void RemoveNaming(const GameObject* object, const std::function<void(const CollisionData&)>& removed = {});
    void Clear();

    const std::vector<CollisionData>& Records() const { return records_; }
    std::size_t Size() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }

private:
    using Key = std::pair<const GameObject*, const GameObject*>;
    struct KeyHash
    {
        std::size_t operator()(const Key& key) const;
    };
    // The pair with its lower address first, so both orders meet.
    static Key KeyOf(const CollisionData& record);

    std::vector<CollisionData> records_;
    std::unordered_set<Key, KeyHash> pairs_;
};
