#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <unordered_map>
#include <vector>

class GameObject;

// Objects in the order they were added, each at most once, not owned. Adding, taking out, whether an object is
// here and which of two was added first cost the same however many there are: a level's objects come and go one
// at a time, and every collision event asks the order of its two objects.
//
// Taking out leaves a hole. Holes are closed once they outnumber the objects, but never while a walk (a live
// iterator from begin) is on: a walk sees the objects added during it and skips those taken out.
class ObjectSet
{
public:
    class Iterator
    {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = GameObject*;
        using difference_type = std::ptrdiff_t;
        using pointer = GameObject* const*;
        using reference = GameObject* const&;

        Iterator() = default;
        Iterator(const Iterator& other);
        Iterator& operator=(Iterator other);
        ~Iterator();

        // Inline: every walk of every frame steps through here.
        reference operator*() const { return set_->slots_[index_]; }
        Iterator& operator++()
        {
            ++index_;
            SkipHoles();
            return *this;
        }
        Iterator operator++(int);
        // Every walk that has run past the last slot equals end, however many were added meanwhile.
        bool operator==(const Iterator& other) const
        {
            const bool atEnd = AtEnd();
            return atEnd == other.AtEnd() && (atEnd || (set_ == other.set_ && index_ == other.index_));
        }

    private:
        friend class ObjectSet;
        Iterator(const ObjectSet& set, std::size_t index, bool walking);
        bool AtEnd() const { return !set_ || index_ >= set_->slots_.size(); }
        void SkipHoles()
        {
            while (!AtEnd() && !set_->slots_[index_])
                ++index_;
        }

        const ObjectSet* set_ = nullptr;
        std::size_t index_ = 0;
        bool walking_ = false;
    };

    using value_type = GameObject*;
    using iterator = Iterator;
    using const_iterator = Iterator;

    ObjectSet() = default;
    // A copy would take over the walks counted on the original.
    ObjectSet(const ObjectSet&) = delete;
    ObjectSet& operator=(const ObjectSet&) = delete;

    bool Contains(const GameObject* object) const { return filed_.contains(object); }
    // Appends the object unless it is here; whether it was appended.
    bool Add(GameObject* object);
    // Whether the object was here.
    bool Remove(const GameObject* object);
    // Appends the object again, as the last one added; nothing for one not here.
    void MoveToEnd(GameObject* object);
    // Takes out every object the test picks, in one pass; the others keep their order. The test may add to and
    // take out of this set.
    void RemoveIf(const std::function<bool(GameObject*)>& picked);
    void Clear();
    // Greater for an object added later; 0 for one not here.
    std::uint64_t OrderOf(const GameObject* object) const;

    Iterator begin() const { return Iterator(*this, 0, true); }
    // Not tied to a slot: end stays end however many objects a walk adds.
    Iterator end() const { return Iterator(); }
    std::size_t size() const { return filed_.size(); }
    bool empty() const { return filed_.empty(); }
    // Null when empty.
    GameObject* front() const;
    GameObject* back() const;
    // A copy, for callers that pick by index.
    std::vector<GameObject*> Objects() const;

private:
    struct Filing
    {
        std::uint64_t order;
        std::size_t slot;
    };

    void PutAtEnd(GameObject* object, Filing& filing);
    void LeaveHole(const Filing& filing);
    void EndWalk() const;
    // Only between walks; a read may end the last walk, so it works on a const set.
    void CloseHoles() const;

    mutable std::vector<GameObject*> slots_;
    mutable std::unordered_map<const GameObject*, Filing> filed_;
    mutable std::size_t holes_ = 0;
    mutable int walks_ = 0;
    std::uint64_t filings_ = 0;
};
