#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class GameObject;

// Objects in the order they were filed, each at most once. Filing, taking out, whether an object is filed and
// which of two was filed first cost the same however many there are: a level's objects come and go one at a
// time, and every collision event asks the order of its two objects.
//
// Taking out leaves a hole (a null slot). Holes are closed once they are many, but never while a walk is on:
// a walk by index stays valid while objects are filed and taken out.
class FiledObjects
{
public:
    // Slots, holes included; a walk reads it anew at each step.
    std::size_t size() const { return slots_.size(); }
    // Null for a hole.
    GameObject* operator[](std::size_t index) const { return slots_[index]; }
    bool Contains(const GameObject* object) const { return filed_.contains(object); }
    // Files an object at the end; one already filed stays where it is.
    void Append(GameObject* object);
    // Files an object at the end again, as the last one filed; nothing for one not filed.
    void MoveToEnd(GameObject* object);
    void Remove(GameObject* object);
    void Clear();
    // Greater for an object filed later; 0 for one not filed.
    std::uint64_t OrderOf(const GameObject* object) const;

    // Keeps every slot where it is while it lives.
    class Walk
    {
    public:
        explicit Walk(FiledObjects& list) : list_(list) { ++list_.walks_; }
        ~Walk();
        Walk(const Walk&) = delete;
        Walk& operator=(const Walk&) = delete;

    private:
        FiledObjects& list_;
    };

private:
    struct Filing
    {
        std::uint64_t order;
        std::size_t slot;
    };

    void PutAtEnd(GameObject* object, Filing& filing);
    void LeaveHole(const Filing& filing);
    void CloseHolesIfMany();

    std::vector<GameObject*> slots_;
    std::unordered_map<const GameObject*, Filing> filed_;
    std::uint64_t filings_ = 0;
    std::size_t holes_ = 0;
    int walks_ = 0;
};
