#include "assertion.h"

#include <csignal>
#include <fstream>
#include <iostream>
#include <string>

bool IsDebuggerAttached()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
    {
        constexpr std::string_view key = "TracerPid:";
        if (line.starts_with(key))
            return line.find_first_not_of(" \t0", key.size()) != std::string::npos;
    }
    return false;
}

void ReportAssertion(std::string_view message, std::string_view file, int line)
{
    std::cerr << "\n\tASSERT\n\t" << message << "\n\t" << file << "::" << line << "\n";
    std::cerr.flush();
    if (IsDebuggerAttached())
        std::raise(SIGTRAP);
}

bool Check(bool condition, std::string_view message, std::source_location where)
{
    if (!condition)
        ReportAssertion(message, where.file_name(), static_cast<int>(where.line()));
    return condition;
}
