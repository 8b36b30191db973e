#include "readahead.h"

#include "assertion.h"
#include "platform/files.h"

#include <algorithm>
#include <system_error>

FileReadAhead::FileReadAhead(std::vector<std::string> paths, std::size_t threads, std::size_t byteBudget)
    : paths_(std::move(paths)), slots_(paths_.size()), budget_(byteBudget)
{
    const std::size_t count = std::min(threads, paths_.size());
    try
    {
        for (std::size_t n = 0; n < count; ++n)
            readers_.emplace_back([this] { Read(); });
    }
    catch (const std::system_error&)
    {
        // Fewer readers, or none: the taker reads what they do not.
    }
}

FileReadAhead::~FileReadAhead()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& reader : readers_)
        reader.join();
}

bool FileReadAhead::MayRead(std::size_t index) const
{
    return index < nextToTake_ || bytesAhead_ < budget_;
}

void FileReadAhead::Read()
{
    std::unique_lock lock(mutex_);
    while (!stopping_ && nextToRead_ < paths_.size())
    {
        const std::size_t index = nextToRead_++;
        changed_.wait(lock, [&] { return stopping_ || MayRead(index); });
        if (stopping_ || slots_[index].state == Slot::Taken)
            continue;
        lock.unlock();
        std::string bytes;
        const bool read = platform::ReadFile(paths_[index], bytes);
        lock.lock();
        Slot& slot = slots_[index];
        if (slot.state == Slot::Taken)
            continue;
        slot.state = Slot::Read;
        if (read)
        {
            bytesAhead_ += bytes.size();
            slot.bytes = std::move(bytes);
        }
    }
}

std::optional<std::string> FileReadAhead::Take(const std::string& path)
{
    std::unique_lock lock(mutex_);
    if (!Check(nextToTake_ < paths_.size() && paths_[nextToTake_] == path, "Files taken out of their order."))
        return std::nullopt;
    Slot& slot = slots_[nextToTake_++];
    const bool ready = slot.state == Slot::Read;
    slot.state = Slot::Taken;
    std::optional<std::string> bytes = std::move(slot.bytes);
    if (bytes)
        bytesAhead_ -= bytes->size();
    lock.unlock();
    // Room in the budget for the readers held back by it.
    changed_.notify_all();
    if (ready)
        return bytes;
    // Waiting for a reader that is behind, or was put aside by the scheduler, costs more than reading the file
    // here; what the reader gets is dropped.
    std::string read;
    return platform::ReadFile(path, read) ? std::optional<std::string>(std::move(read)) : std::nullopt;
}
