#include "objectset.h"

#include <algorithm>
#include <utility>

ObjectSet::Iterator::Iterator(const ObjectSet& set, std::size_t index, bool walking)
    : set_(&set), index_(index), walking_(walking)
{
    if (walking_)
        ++set_->walks_;
    SkipHoles();
}

ObjectSet::Iterator::Iterator(const Iterator& other) : set_(other.set_), index_(other.index_), walking_(other.walking_)
{
    if (walking_)
        ++set_->walks_;
}

ObjectSet::Iterator& ObjectSet::Iterator::operator=(Iterator other)
{
    std::swap(set_, other.set_);
    std::swap(index_, other.index_);
    std::swap(walking_, other.walking_);
    return *this;
}

ObjectSet::Iterator::~Iterator()
{
    if (walking_)
        set_->EndWalk();
}

ObjectSet::Iterator ObjectSet::Iterator::operator++(int)
{
    Iterator before = *this;
    ++*this;
    return before;
}

bool ObjectSet::Add(GameObject* object)
{
    const auto [entry, added] = filed_.try_emplace(object);
    if (added)
        PutAtEnd(object, entry->second);
    return added;
}

bool ObjectSet::Remove(const GameObject* object)
{
    const auto entry = filed_.find(object);
    if (entry == filed_.end())
        return false;
    LeaveHole(entry->second);
    filed_.erase(entry);
    CloseHoles();
    return true;
}

void ObjectSet::MoveToEnd(GameObject* object)
{
    const auto entry = filed_.find(object);
    if (entry == filed_.end())
        return;
    LeaveHole(entry->second);
    PutAtEnd(object, entry->second);
    CloseHoles();
}

void ObjectSet::RemoveIf(const std::function<bool(GameObject*)>& picked)
{
    for (GameObject* object : *this)
        if (picked(object))
            Remove(object);
}

void ObjectSet::Clear()
{
    // As holes: a walk on goes on to the objects added after.
    std::ranges::fill(slots_, nullptr);
    holes_ = slots_.size();
    filed_.clear();
    CloseHoles();
}

std::uint64_t ObjectSet::OrderOf(const GameObject* object) const
{
    const auto found = filed_.find(object);
    return found == filed_.end() ? 0 : found->second.order;
}

GameObject* ObjectSet::front() const
{
    const auto found = std::ranges::find_if(slots_, [](const GameObject* object) { return object != nullptr; });
    return found == slots_.end() ? nullptr : *found;
}

GameObject* ObjectSet::back() const
{
    const auto found =
        std::find_if(slots_.rbegin(), slots_.rend(), [](const GameObject* object) { return object != nullptr; });
    return found == slots_.rend() ? nullptr : *found;
}

std::vector<GameObject*> ObjectSet::Objects() const
{
    std::vector<GameObject*> objects;
    objects.reserve(size());
    std::ranges::copy_if(slots_, std::back_inserter(objects), [](const GameObject* object) { return object != nullptr; });
    return objects;
}

void ObjectSet::PutAtEnd(GameObject* object, Filing& filing)
{
    filing = {++filings_, slots_.size()};
    slots_.push_back(object);
}

void ObjectSet::LeaveHole(const Filing& filing)
{
    slots_[filing.slot] = nullptr;
    ++holes_;
}

void ObjectSet::EndWalk() const
{
    if (--walks_ == 0)
        CloseHoles();
}

void ObjectSet::CloseHoles() const
{
    if (walks_ > 0)
        return;
    // Holes at the end go at once, so back() finds the last object straight away.
    for (; !slots_.empty() && !slots_.back(); --holes_)
        slots_.pop_back();
    // After at least as many removals as objects left: the pass costs each removal a constant.
    if (holes_ <= slots_.size() / 2)
        return;
    std::erase(slots_, nullptr);
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        filed_.at(slots_[slot]).slot = slot;
    holes_ = 0;
}
