#pragma once
#include <string_view>

// Reports a failed check on standard error and goes on; breaks into a debugger when one is attached.
void ReportAssertion(std::string_view message, std::string_view file, int line);

// True when a debugger traces this process.
bool IsDebuggerAttached();

#define ASSERT(condition, message)                                 \
    do                                                             \
    {                                                              \
        if (!(condition))                                          \
            ReportAssertion((message), __FILE__, __LINE__);        \
    } while (false)
