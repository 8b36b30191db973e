#include "platform/files.h"

#include "assertion.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

namespace
{
bool WriteAll(int file, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const ssize_t written = write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The bytes in a new file of that name, on the disk once this returns true.
bool WriteDurably(std::string& temporary, std::string_view bytes)
{
    const int file = mkstemp(temporary.data());
    if (file < 0)
        return false;
    const bool written = fchmod(file, 0644) == 0 && WriteAll(file, bytes) && fsync(file) == 0;
    return close(file) == 0 && written;
}
}

bool WriteFileSafely(const std::string& path, std::string_view bytes)
{
    std::string temporary = path + ".saving-XXXXXX";
    if (WriteDurably(temporary, bytes) && rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    const int fault = errno;
    unlink(temporary.c_str());
    ASSERT(false, "Error creating " + path + ": " + std::strerror(fault));
    return false;
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
