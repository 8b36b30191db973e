#include "platform/childprocess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

extern char** environ;

namespace platform
{
namespace
{
// One socket serves as the child's standard input and output: unlike a pipe, writing to a child that is gone
// fails with an error (MSG_NOSIGNAL) instead of a SIGPIPE that would end this process.
pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int socket)
{
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, socket, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, socket, STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int MillisecondsLeft(ChildClock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - ChildClock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::size_t AddressSpaceInUse()
{
    // The first field of statm: the whole address space, in pages.
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

bool SetSoftLimit(int resource, rlim_t value)
{
    rlimit limit{};
    if (getrlimit(resource, &limit) != 0)
        return false;
    limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? value : std::min(value, limit.rlim_max);
    return setrlimit(resource, &limit) == 0;
}

rlim_t CpuSecondsUsed()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    // Whole seconds, rounded up, so the new limit is never short of what was asked.
    return static_cast<rlim_t>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + 1);
}
} // namespace

ChildSession::ChildSession(const std::string& program, const std::vector<std::string>& arguments)
{
    // Close-on-exec from the start, so a child started meanwhile by another thread holds no end of it.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    pid_ = Spawn(program, arguments, ends[1]);
    // Only the child's copy stays open, so its end is the end of the output.
    close(ends[1]);
    if (pid_ > 0)
        socket_ = ends[0];
    else
        close(ends[0]);
}

ChildSession::~ChildSession()
{
    Finish(ChildEnd::Exited, ChildClock::now() + std::chrono::seconds(1));
}

bool ChildSession::Send(std::string_view bytes)
{
    while (!bytes.empty() && Running())
    {
        const ssize_t sent = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return bytes.empty();
}

std::optional<ChildEnd> ChildSession::Receive(std::size_t count, ChildClock::time_point deadline, std::string& into)
{
    if (!Running())
        return ChildEnd::Exited;
    const std::size_t goal = into.size() + count;
    while (into.size() < goal)
    {
        pollfd ready{socket_, POLLIN, 0};
        const int polled = poll(&ready, 1, MillisecondsLeft(deadline));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return ChildEnd::TimedOut;
        const std::size_t at = into.size();
        into.resize(std::min(goal, at + 65536));
        const ssize_t got = read(socket_, into.data() + at, into.size() - at);
        into.resize(at + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return ChildEnd::Exited;
    }
    return std::nullopt;
}

void ChildSession::CloseInput()
{
    if (Running())
        shutdown(socket_, SHUT_WR);
}

ChildResult ChildSession::Finish(ChildEnd end, ChildClock::time_point deadline)
{
    if (!Running())
        return {};
    close(socket_);
    socket_ = -1;
    const pid_t pid = pid_;
    pid_ = -1;
    int status = 0;
    while (end == ChildEnd::Exited && waitpid(pid, &status, WNOHANG) == 0)
    {
        if (MillisecondsLeft(deadline) == 0)
            end = ChildEnd::TimedOut;
        else
            usleep(1000);
    }
    if (end != ChildEnd::Exited)
    {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return {end, 0};
    }
    if (WIFEXITED(status))
        return {ChildEnd::Exited, WEXITSTATUS(status)};
    return {ChildEnd::Signalled, WTERMSIG(status)};
}

namespace
{
[[noreturn]] void EndOnMemoryLimit()
{
    std::_Exit(kMemoryLimitExitCode);
}

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator reports running out itself, before any handler could run.
void EndOnSanitizerMemoryReport(const char* report)
{
    if (std::strstr(report, "out of memory") || std::strstr(report, "allocation-size-too-big"))
        EndOnMemoryLimit();
}
#endif
} // namespace

bool LimitThisProcess(std::size_t bytes, int cpuSeconds)
{
    std::set_new_handler(EndOnMemoryLimit);
#if defined(__SANITIZE_ADDRESS__)
    __asan_set_error_report_callback(EndOnSanitizerMemoryReport);
#endif
    return SetSoftLimit(RLIMIT_AS, AddressSpaceInUse() + bytes) &&
           SetSoftLimit(RLIMIT_CPU, CpuSecondsUsed() + static_cast<rlim_t>(cpuSeconds));
}

std::string ExecutablePath()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}
}
