#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class GameObject;

// Objects in the order they were filed, each at most once. Whether an object is filed, and which of two was
// filed first, cost the same however many there are: every collision event asks that of its two objects.
class FiledObjects
{
public:
    std::size_t size() const { return objects_.size(); }
    GameObject* operator[](std::size_t index) const { return objects_[index]; }
    bool Contains(const GameObject* object) const { return order_.contains(object); }
    // Files an object at the end; one already filed stays where it is.
    void Append(GameObject* object);
    void Remove(GameObject* object);
    // Greater for an object filed later; 0 for one not filed.
    std::uint64_t OrderOf(const GameObject* object) const;

private:
    std::vector<GameObject*> objects_;
    std::unordered_map<const GameObject*, std::uint64_t> order_;
    std::uint64_t filed_ = 0;
};
