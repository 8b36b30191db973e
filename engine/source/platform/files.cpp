#include "platform/files.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace platform
{
std::optional<FileStamp> ReadFileStamp(const std::string& path)
{
    // One look at the file for both: the script library's watch asks on every update.
    struct stat info{};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const std::int64_t seconds = info.st_mtim.tv_sec;
    return FileStamp{seconds * 1'000'000'000 + info.st_mtim.tv_nsec, static_cast<std::uintmax_t>(info.st_size)};
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

bool ReadFile(const std::string& path, std::string& bytes)
{
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
    {
        bytes.clear();
        return false;
    }
    struct stat info{};
    bool read = fstat(file, &info) == 0 && S_ISREG(info.st_mode);
    std::size_t done = 0;
    if (read)
        bytes.resize(static_cast<std::size_t>(info.st_size));
    while (read && done < bytes.size())
    {
        const ssize_t got = ::read(file, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        read = got >= 0;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    close(file);
    // A file cut short while it was read gives what it still had.
    bytes.resize(done);
    return read;
}
}
