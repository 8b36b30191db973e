#pragma once
#include <cstddef>
#include <functional>
#include <unordered_map>
#include <vector>

class GameObject;

// Objects in the order they were added, each at most once, not owned. Adding, finding and taking out cost
// the same however long the list is (a level's worth of objects comes and goes one at a time): taking out
// leaves a hole, and the next read closes every hole in one pass.
class ObjectList
{
public:
    using value_type = GameObject*;
    using const_iterator = std::vector<GameObject*>::const_iterator;

    bool Contains(const GameObject* object) const { return where_.contains(object); }
    // Appends the object unless it is here; whether it was appended.
    bool Add(GameObject* object);
    // Whether the object was here.
    bool Remove(const GameObject* object);
    // Takes out every object the test picks, in one pass; the others keep their order. The test must not
    // change this list.
    void RemoveIf(const std::function<bool(GameObject*)>& picked);

    // The objects without holes.
    const std::vector<GameObject*>& Objects() const;
    const_iterator begin() const { return Objects().begin(); }
    const_iterator end() const { return Objects().end(); }
    std::size_t size() const { return where_.size(); }
    bool empty() const { return where_.empty(); }
    GameObject* front() const { return Objects().front(); }
    GameObject* back() const { return Objects().back(); }

private:
    // Reading closes the holes: the list's contents stay what they are.
    mutable std::vector<GameObject*> slots_;
    mutable std::unordered_map<const GameObject*, std::size_t> where_;
    mutable bool holes_ = false;
};
