#pragma once
#include <source_location>
#include <string_view>

// Reports a failed check on standard error and goes on; breaks into a debugger when one is attached.
void ReportAssertion(std::string_view message, std::string_view file, int line);

// Reports a failed condition as ASSERT does and returns it, for code that goes on only when it holds:
// if (!Check(object, "...")) return;
bool Check(bool condition, std::string_view message, std::source_location where = std::source_location::current());

// True when a debugger traces this process.
bool IsDebuggerAttached();

#define ASSERT(condition, message)                                 \
    do                                                             \
    {                                                              \
        if (!(condition))                                          \
            ReportAssertion((message), __FILE__, __LINE__);        \
    } while (false)
