#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Reads a list of files whole on threads of its own, ahead of the one thread that takes them in list order, so
// that reading the next files overlaps whatever the taker does with the last one. A file the readers have not
// finished when it is taken is read by the taker itself: it never waits. Files read ahead and not yet taken
// stop the readers once they hold `byteBudget` bytes.
class FileReadAhead
{
public:
    static constexpr std::size_t kDefaultBudget = std::size_t{32} << 20;

    // With no threads the taker reads every file itself.
    explicit FileReadAhead(std::vector<std::string> paths, std::size_t threads = 2,
                           std::size_t byteBudget = kDefaultBudget);
    // Stops reading; files not taken are dropped.
    ~FileReadAhead();
    FileReadAhead(const FileReadAhead&) = delete;
    FileReadAhead& operator=(const FileReadAhead&) = delete;

    // The bytes of the next file of the list, which must be `path`; nullopt when it could not be read.
    std::optional<std::string> Take(const std::string& path);

private:
    struct Slot
    {
        enum State : std::uint8_t
        {
            Waiting,
            Read,
            Taken,
        };
        State state = Waiting;
        std::optional<std::string> bytes;
    };
    void Read();
    // Whether a reader may go on with the file: at once for one the taker has passed (it is then skipped),
    // otherwise while the budget has room.
    bool MayRead(std::size_t index) const;

    std::vector<std::string> paths_;
    std::vector<Slot> slots_;
    std::size_t budget_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t nextToRead_ = 0;
    std::size_t nextToTake_ = 0;
    std::size_t bytesAhead_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> readers_;
};
