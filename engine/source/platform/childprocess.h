#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
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
    // Everything it wrote to its standard output.
    std::string output;
};

struct ChildLimits
{
    double seconds;
    std::size_t maxOutput;
};

// Runs the program with the arguments and this process's environment (a new process image, never a fork of
// this one), its standard output read into memory; standard error is shared. The child is killed at the
// limits. Safe to call from several threads at once.
ChildResult RunChild(const std::string& program, const std::vector<std::string>& arguments, ChildLimits limits);

// For a child: from now on its address space may grow by at most `bytes` (growth, as sanitizer builds reserve
// terabytes of it up front) and it may use `cpuSeconds` of processor time. False when a limit could not be set.
bool LimitThisProcess(std::size_t bytes, int cpuSeconds);

// The running program's file.
std::string ExecutablePath();
}
