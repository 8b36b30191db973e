#include "platform/childprocess.h"

#include <gtest/gtest.h>

#include <csignal>

using platform::ChildClock;
using platform::ChildEnd;
using platform::ChildSession;

namespace
{
struct Outcome
{
    platform::ChildResult result;
    std::string output;
};

// Reads everything the shell script writes, up to the limits, and ends it.
Outcome RunScript(const std::string& script, double seconds, std::size_t maxOutput)
{
    const auto deadline = ChildClock::now() + std::chrono::duration_cast<ChildClock::duration>(
                                                  std::chrono::duration<double>(seconds));
    ChildSession child("/bin/sh", {"-c", script});
    Outcome outcome;
    const std::optional<ChildEnd> end = child.Receive(maxOutput + 1, deadline, outcome.output);
    outcome.result = child.Finish(end.value_or(ChildEnd::TooMuchOutput), deadline);
    return outcome;
}
} // namespace

TEST(ChildProcess, ReadsTheOutputAndTellsHowTheChildEnded)
{
    const struct
    {
        std::string script;
        double seconds;
        std::size_t maxOutput;
        ChildEnd end;
        int code;
        std::string output;
    } cases[] = {
        {"printf 'scene'", 10.0, 1000, ChildEnd::Exited, 0, "scene"},
        {"printf 'no'; exit 3", 10.0, 1000, ChildEnd::Exited, 3, "no"},
        {"kill -ABRT $$", 10.0, 1000, ChildEnd::Signalled, SIGABRT, ""},
        {"printf 'slow'; exec sleep 30", 0.3, 1000, ChildEnd::TimedOut, 0, "slow"},
        // Its output closed, a child still has to end in time.
        {"exec >&-; exec sleep 30", 0.3, 1000, ChildEnd::TimedOut, 0, ""},
        {"exec yes", 10.0, 100000, ChildEnd::TooMuchOutput, 0, ""},
    };
    for (const auto& each : cases)
    {
        const Outcome child = RunScript(each.script, each.seconds, each.maxOutput);
        EXPECT_EQ(child.result.end, each.end) << each.script;
        EXPECT_EQ(child.result.code, each.code) << each.script;
        if (each.end != ChildEnd::TooMuchOutput)
        {
            EXPECT_EQ(child.output, each.output) << each.script;
        }
    }
    ChildSession missing("/no/such/program", {});
    EXPECT_FALSE(missing.Running());
    EXPECT_EQ(missing.Finish(ChildEnd::Exited, ChildClock::now()).end, ChildEnd::NotStarted);
}

TEST(ChildProcess, ASessionAnswersRequestsInTurnAndEndsWhenItsInputDoes)
{
    const auto deadline = ChildClock::now() + std::chrono::seconds(10);
    // Echoes each line back; its own exit code once its input has ended.
    ChildSession child("/bin/sh", {"-c", "while read line; do echo \"$line\"; done; exit 4"});
    std::string answers;
    for (const std::string request : {"first", "second"})
    {
        ASSERT_TRUE(child.Send(request + "\n"));
        EXPECT_EQ(child.Receive(request.size() + 1, deadline, answers), std::nullopt);
    }
    EXPECT_EQ(answers, "first\nsecond\n");
    // With its input ended the child still answers what it was sent, then ends by itself.
    ASSERT_TRUE(child.Send("last\n"));
    child.CloseInput();
    EXPECT_EQ(child.Receive(5, deadline, answers), std::nullopt);
    EXPECT_EQ(answers, "first\nsecond\nlast\n");
    EXPECT_EQ(child.Receive(1, deadline, answers), ChildEnd::Exited);
    const platform::ChildResult result = child.Finish(ChildEnd::Exited, deadline);
    EXPECT_EQ(result.end, ChildEnd::Exited);
    EXPECT_EQ(result.code, 4);
    EXPECT_FALSE(child.Running());
}

TEST(ChildProcess, AChildThatIsGoneIsReportedNotFatal)
{
    const auto deadline = ChildClock::now() + std::chrono::seconds(10);
    ChildSession child("/bin/sh", {"-c", "exit 0"});
    std::string output;
    EXPECT_EQ(child.Receive(1, deadline, output), ChildEnd::Exited);
    // Writing to a child that has ended fails instead of raising SIGPIPE in this process.
    EXPECT_FALSE(child.Send(std::string(1 << 20, 'x')));
    EXPECT_EQ(child.Finish(ChildEnd::Exited, deadline).code, 0);
}
