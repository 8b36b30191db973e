#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform
{
// What tells one build of a file from the next: its modification time (nanoseconds) and its size.
struct FileStamp
{
    std::int64_t time = 0;
    std::uintmax_t size = 0;
    bool operator==(const FileStamp&) const = default;
};

// Empty when the file cannot be read.
std::optional<FileStamp> ReadFileStamp(const std::string& path);

// Copies through a temporary name beside the target and renames it over the target, so a reader that has the
// old target open (or mapped) keeps its old contents.
bool ReplaceWithCopy(const std::string& source, const std::string& target);

bool RemoveFile(const std::string& path);

// Writes bytes to a temporary beside the target, flushes them to the disk and renames the temporary over the
// target, so a crash or a full disk never leaves a half-written file. A link is written through to its file,
// whose permission bits are kept. On failure the old file is untouched, the fault is reported and the result
// is false. The temporary is a hidden name no loader takes; one left by a killed save is taken over by the
// next save of the same file.
bool WriteFileSafely(const std::string& path, std::string_view bytes);

// Removes the temporaries that killed saves left in the folder; those of saves still running are kept.
void RemoveSaveLeftovers(const std::string& folder);

// False as well when the path cannot be looked at.
bool Exists(const std::string& path);

// The whole regular file into bytes, reusing their storage; false, with bytes empty, when it cannot be read.
bool ReadFile(const std::string& path, std::string& bytes);
}
