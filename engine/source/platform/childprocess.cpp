#include "platform/childprocess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform
{
namespace
{
using Clock = std::chrono::steady_clock;

struct Pipe
{
    int read = -1;
    int write = -1;
    // Close-on-exec from the start, so a child started meanwhile by another thread holds no end of it.
    bool Open()
    {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return false;
        read = ends[0];
        write = ends[1];
        return true;
    }
    void Close(int& end)
    {
        if (end >= 0)
            close(end);
        end = -1;
    }
    ~Pipe()
    {
        Close(read);
        Close(write);
    }
};

pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, int output)
{
    std::vector<std::string> texts{program};
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

int MillisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Reads until the child closes its output; false at the deadline or past the size limit.
ChildEnd ReadOutput(int from, Clock::time_point deadline, std::size_t maxOutput, std::string& output)
{
    char buffer[65536];
    for (;;)
    {
        pollfd ready{from, POLLIN, 0};
        const int polled = poll(&ready, 1, MillisecondsLeft(deadline));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            return ChildEnd::TimedOut;
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return ChildEnd::Exited;
        output.append(buffer, static_cast<std::size_t>(got));
        if (output.size() > maxOutput)
            return ChildEnd::TooMuchOutput;
    }
}

// Waits for the child until the deadline, then kills it.
ChildResult Reap(pid_t pid, Clock::time_point deadline, ChildEnd end)
{
    ChildResult result;
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
        result.end = end;
        return result;
    }
    result.end = WIFEXITED(status) ? ChildEnd::Exited : ChildEnd::Signalled;
    result.code = WIFEXITED(status) ? WEXITSTATUS(status) : WTERMSIG(status);
    return result;
}

std::size_t AddressSpaceInUse()
{
    // The first field of statm: the whole address space, in pages.
    std::ifstream statm("/proc/self/statm");
    std::size_t pages = 0;
    statm >> pages;
    return pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

bool SetLimit(int resource, rlim_t value)
{
    const rlimit limit{value, value};
    return setrlimit(resource, &limit) == 0;
}
} // namespace

ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments, ChildLimits limits)
{
    const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(limits.seconds));
    Pipe pipe;
    if (!pipe.Open())
        return {};
    const pid_t pid = Spawn(program, arguments, pipe.write);
    // Only the child's copy stays open, so its end is the end of the output.
    pipe.Close(pipe.write);
    if (pid < 0)
        return {};
    std::string output;
    const ChildEnd end = ReadOutput(pipe.read, deadline, limits.maxOutput, output);
    ChildResult result = Reap(pid, deadline, end);
    result.output = std::move(output);
    return result;
}

bool LimitThisProcess(std::size_t bytes, int cpuSeconds)
{
    return SetLimit(RLIMIT_AS, AddressSpaceInUse() + bytes) && SetLimit(RLIMIT_CPU, static_cast<rlim_t>(cpuSeconds));
}

std::string ExecutablePath()
{
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}
}
