#include "platform/childprocess.h"

#include <gtest/gtest.h>

#include <csignal>

using platform::ChildEnd;
using platform::ChildLimits;
using platform::RunChild;

TEST(ChildProcess, ReadsTheOutputAndTellsHowTheChildEnded)
{
    const struct
    {
        std::string script;
        ChildLimits limits;
        ChildEnd end;
        int code;
        std::string output;
    } cases[] = {
        {"printf 'scene'", {10.0, 1000}, ChildEnd::Exited, 0, "scene"},
        {"printf 'no'; exit 3", {10.0, 1000}, ChildEnd::Exited, 3, "no"},
        {"kill -ABRT $$", {10.0, 1000}, ChildEnd::Signalled, SIGABRT, ""},
        {"printf 'slow'; exec sleep 30", {0.3, 1000}, ChildEnd::TimedOut, 0, "slow"},
        // Its output closed, a child still has to end in time.
        {"exec >&-; sleep 30", {0.3, 1000}, ChildEnd::TimedOut, 0, ""},
        {"exec yes", {10.0, 100000}, ChildEnd::TooMuchOutput, 0, ""},
    };
    for (const auto& each : cases)
    {
        const platform::ChildResult child = RunChild("/bin/sh", {"-c", each.script}, each.limits);
        EXPECT_EQ(child.end, each.end) << each.script;
        EXPECT_EQ(child.code, each.code) << each.script;
        if (each.end != ChildEnd::TooMuchOutput)
        {
            EXPECT_EQ(child.output, each.output) << each.script;
        }
    }
    EXPECT_EQ(RunChild("/no/such/program", {}, {10.0, 1000}).end, ChildEnd::NotStarted);
}
