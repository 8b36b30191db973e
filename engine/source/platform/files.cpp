#include "platform/files.h"

#include <chrono>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform
{
std::optional<FileStamp> ReadFileStamp(const std::string& path)
{
    std::error_code error;
    const auto time = fs::last_write_time(path, error);
    if (error)
        return std::nullopt;
    const auto size = fs::file_size(path, error);
    if (error)
        return std::nullopt;
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch());
    return FileStamp{sinceEpoch.count(), size};
}

bool ReplaceWithCopy(const std::string& source, const std::string& target)
{
    const std::string temporary = target + ".partial";
    std::error_code error;
    fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, error);
    if (!error)
        fs::rename(temporary, target, error);
    if (error)
    {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return !error;
}

bool RemoveFile(const std::string& path)
{
    std::error_code error;
    return fs::remove(path, error);
}

bool Exists(const std::string& path)
{
    std::error_code error;
    return fs::exists(path, error);
}
}
