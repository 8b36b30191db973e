#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{
enum class ChildEnd : std::uint8_t
{
    // code holds the exit code.
    Exited,
    // code holds the signal.
    Signalled,
    // Killed at the time limit.
    TimedOut,
    // Killed once its output passed the limit.
    TooMuchOutput,
    NotStarted,
};

struct ChildResult
{
    ChildEnd end = ChildEnd::NotStarted;
    int code = 0;
};

using ChildClock = std::chrono::steady_clock;

// A child that runs beside this process and answers what it is sent: what Send writes is its standard input,
// its standard output comes back through Receive, and standard error is shared. A new process image with this
// process's environment, never a fork of this one. Each session may be used from its own thread.
class ChildSession
{
public:
    ChildSession(const std::string& program, const std::vector<std::string>& arguments);
    // Finish with a second to spare.
    ~ChildSession();
    ChildSession(const ChildSession&) = delete;
    ChildSession& operator=(const ChildSession&) = delete;

    // Started and not finished.
    bool Running() const { return pid_ > 0; }
    // False when the child does not take it.
    bool Send(std::string_view bytes);
    // Appends its output to `into` until `count` more bytes came (nullopt); Exited when the output ended first,
    // TimedOut at the deadline.
    std::optional<ChildEnd> Receive(std::size_t count, ChildClock::time_point deadline, std::string& into);
    // Ends its input, so that it can finish while this goes on; it can still be received from.
    void CloseInput();
    // Closes its input and waits until the deadline for it to end, killing it then; an `end` other than Exited
    // kills it at once and is the result.
    ChildResult Finish(ChildEnd end, ChildClock::time_point deadline);

private:
    int pid_ = -1;
    int socket_ = -1;
};

// The exit code of a child whose memory ran out under LimitThisProcess.
inline constexpr int kMemoryLimitExitCode = 86;

// For a child: from now on its address space may grow by at most `bytes` (growth, as sanitizer builds reserve
// terabytes of it up front) and it may use `cpuSeconds` more of processor time. Only the soft limits move, so a
// child that works through many requests sets them again for each. An allocation the memory limit refuses ends
// the child with kMemoryLimitExitCode, in every build: a library that catches what it throws cannot turn it
// into an answer that hides the reason. False when a limit could not be set.
bool LimitThisProcess(std::size_t bytes, int cpuSeconds);

// The running program's file.
std::string ExecutablePath();
}
