#include "platform/files.h"

#include "assertion.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
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
// Every temporary of a save starts so: hidden from listings, and without the target's extension in it, so no
// scan or loader takes a leftover for a file of the kind it was saving. Older builds named theirs
// "<name>.saving-" and six characters of mkstemp.
constexpr std::string_view kSaveMark = ".saving-";
constexpr std::size_t kOldSaveSuffix = 6;
// As many links as the kernel follows in one path.
constexpr int kMostLinks = 40;

// The folder part with its "/", or "" for a bare name.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a save of path replaces: the end of its chain of links, which may not exist yet. Empty when the
// chain does not end.
std::string FileBehindLinks(std::string path)
{
    for (int link = 0; link < kMostLinks; ++link)
    {
        struct stat info{};
        if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            return path;
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : FolderOf(path) + target;
    }
    errno = ELOOP;
    return {};
}

// One temporary per target, so the next save of a file takes over what a killed one left. Dots become
// underscores and the name is cut to what a folder entry holds; two targets that share it only share leftovers.
std::string TemporaryFor(const std::string& path)
{
    std::string name = path.substr(FolderOf(path).size());
    std::ranges::replace(name, '.', '_');
    name.insert(0, kSaveMark);
    name.resize(std::min<std::size_t>(name.size(), NAME_MAX));
    return FolderOf(path) + name;
}

bool IsSaveLeftover(std::string_view name)
{
    if (name.starts_with(kSaveMark))
        return true;
    const std::size_t mark = name.rfind(kSaveMark);
    return mark != std::string_view::npos && name.size() == mark + kSaveMark.size() + kOldSaveSuffix;
}

// A save holds a lock on its temporary until the rename: a temporary nobody holds is a dead save's, whichever
// process made it.
bool RemoveUnheldTemporary(const std::string& path)
{
    const int file = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (file < 0)
        return errno == ENOENT;
    struct stat opened{};
    struct stat named{};
    // Still the file opened, or a save that just finished may have put another in its place.
    const bool removed = flock(file, LOCK_EX | LOCK_NB) == 0 && fstat(file, &opened) == 0 &&
                         lstat(path.c_str(), &named) == 0 && opened.st_ino == named.st_ino &&
                         opened.st_dev == named.st_dev && unlink(path.c_str()) == 0;
    close(file);
    return removed;
}

// A new temporary, locked; a dead save's is removed first. -1 when another save of the file is under way.
int CreateTemporary(const std::string& temporary)
{
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        // Made as any new file would be (the umask applies); a replaced file's bits are set later.
        const int file = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (file >= 0 && flock(file, LOCK_EX | LOCK_NB) == 0)
            return file;
        if (file >= 0)
            close(file);
        else if (errno != EEXIST || !RemoveUnheldTemporary(temporary))
            return -1;
    }
    errno = EBUSY;
    return -1;
}

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

// A replaced file keeps who may read and write it.
bool KeepPermissions(int file, const std::string& target)
{
    struct stat info{};
    if (stat(target.c_str(), &info) != 0)
        return errno == ENOENT;
    return fchmod(file, info.st_mode & 07777) == 0;
}

// The rename is on the disk only once its folder is. Some file systems cannot sync a folder at all.
bool SyncFolder(const std::string& folder)
{
    const int handle = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return false;
    const bool synced = fsync(handle) == 0 || errno == EINVAL;
    close(handle);
    return synced;
}

bool WriteThrough(const std::string& target, std::string_view bytes)
{
    const std::string temporary = TemporaryFor(target);
    const int file = CreateTemporary(temporary);
    if (file < 0)
        return false;
    const bool renamed = KeepPermissions(file, target) && WriteAll(file, bytes) && fsync(file) == 0 &&
                         rename(temporary.c_str(), target.c_str()) == 0;
    const int fault = errno;
    if (!renamed)
        unlink(temporary.c_str());
    // The lock goes with the descriptor, after the rename.
    close(file);
    errno = fault;
    return renamed;
}
}

bool WriteFileSafely(const std::string& path, std::string_view bytes)
{
    const std::string target = FileBehindLinks(path);
    if (!target.empty() && WriteThrough(target, bytes))
    {
        const bool synced = SyncFolder(FolderOf(target));
        ASSERT(synced, "Saved " + path + ", but its folder could not be synced: " + std::strerror(errno));
        return true;
    }
    ASSERT(false, "Error creating " + path + ": " + std::strerror(errno));
    return false;
}

void RemoveSaveLeftovers(const std::string& folder)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
    {
        const std::string name = entry->path().filename().string();
        if (IsSaveLeftover(name))
            RemoveUnheldTemporary(entry->path().string());
    }
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
