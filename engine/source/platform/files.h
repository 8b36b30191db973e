#pragma once
#include <cstdint>
#include <optional>
#include <string>

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

// False as well when the path cannot be looked at.
bool Exists(const std::string& path);

// The whole regular file into bytes, reusing their storage; false, with bytes empty, when it cannot be read.
bool ReadFile(const std::string& path, std::string& bytes);
}
