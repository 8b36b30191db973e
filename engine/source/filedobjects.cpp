#include "filedobjects.h"

#include <algorithm>

FiledObjects::Walk::~Walk()
{
    if (--list_.walks_ == 0)
        list_.CloseHolesIfMany();
}

void FiledObjects::Append(GameObject* object)
{
    const auto [entry, filed] = filed_.try_emplace(object);
    if (filed)
        PutAtEnd(object, entry->second);
}

void FiledObjects::MoveToEnd(GameObject* object)
{
    const auto entry = filed_.find(object);
    if (entry == filed_.end())
        return;
    LeaveHole(entry->second);
    PutAtEnd(object, entry->second);
}

void FiledObjects::Remove(GameObject* object)
{
    const auto entry = filed_.find(object);
    if (entry == filed_.end())
        return;
    LeaveHole(entry->second);
    filed_.erase(entry);
    CloseHolesIfMany();
}

void FiledObjects::Clear()
{
    slots_.clear();
    filed_.clear();
    holes_ = 0;
}

std::uint64_t FiledObjects::OrderOf(const GameObject* object) const
{
    const auto found = filed_.find(object);
    return found == filed_.end() ? 0 : found->second.order;
}

void FiledObjects::PutAtEnd(GameObject* object, Filing& filing)
{
    filing = {++filings_, slots_.size()};
    slots_.push_back(object);
}

void FiledObjects::LeaveHole(const Filing& filing)
{
    slots_[filing.slot] = nullptr;
    ++holes_;
}

void FiledObjects::CloseHolesIfMany()
{
    // After at least as many removals as objects left: the pass costs each removal a constant.
    if (walks_ > 0 || holes_ <= slots_.size() / 2)
        return;
    std::erase(slots_, nullptr);
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        filed_.at(slots_[slot]).slot = slot;
    holes_ = 0;
}
