#include "platform/ScopedCrashHandler.h"
#include "processor/PluginCrashLogger.h"
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
using velk::ScopedCrashHandler;

constexpr int hostHandlerExitCode = 42;

// The host's own handler ends the process in a way the test can tell from ours (SIGKILL).
void hostHandler (int)
{
    _exit (hostHandlerExitCode);
}

/** Raises a fatal signal in a forked child, which inherits the handlers in place at that
    moment, and returns the child's wait status.
*/
int statusOfAChildThatFaults (int signal)
{
    const auto child = fork();

    if (child == 0)
    {
        std::raise (signal);
        _exit (0);
    }

    int status = 0;

    while (waitpid (child, &status, 0) < 0 && errno == EINTR)
    {
    }

    return status;
}

/** The host's handlers on the fatal signals for the test's duration, and an empty crash log. */
class CrashHandlerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        struct sigaction action
        {
        };
        action.sa_handler = hostHandler;

        for (size_t i = 0; i < ScopedCrashHandler::fatalSignals.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], &action, &original[i]);

        logFile.deleteFile();
    }

    void TearDown() override
    {
        for (size_t i = 0; i < ScopedCrashHandler::fatalSignals.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], &original[i], nullptr);

        logFile.deleteFile();
    }

    static void expectTheHostsHandlerRuns (int signal)
    {
        const auto status = statusOfAChildThatFaults (signal);

        ASSERT_TRUE (WIFEXITED (status)) << signal;
        EXPECT_EQ (WEXITSTATUS (status), hostHandlerExitCode) << signal;
    }

    void expectOurHandlerWritesTheLogAndKills (int signal)
    {
        const auto status = statusOfAChildThatFaults (signal);

        ASSERT_TRUE (WIFSIGNALED (status)) << signal;
        EXPECT_EQ (WTERMSIG (status), SIGKILL) << signal;
        EXPECT_TRUE (logFile.loadFileAsString().contains ("Tavelin v 1.3.0")) << signal;
        logFile.deleteFile();
    }

    std::array<struct sigaction, ScopedCrashHandler::fatalSignals.size()> original{};
    const juce::File logFile = velk::PluginCrashLogger::getLogFile();
};

TEST_F (CrashHandlerTest, FaultWhileAProcessorLivesWritesTheLogAndEndsTheProcess)
{
    const TavelinAudioProcessor processor;

    for (const auto signal : { SIGSEGV, SIGABRT, SIGFPE })
        expectOurHandlerWritesTheLogAndKills (signal);
}

TEST_F (CrashHandlerTest, SecondProcessorInstallsNothingMoreAndTheFirstGoingKeepsOurHandler)
{
    auto first = std::make_unique<TavelinAudioProcessor>();
    const TavelinAudioProcessor second;

    first.reset();

    expectOurHandlerWritesTheLogAndKills (SIGSEGV);
}

TEST_F (CrashHandlerTest, FaultAfterTheLastProcessorIsGoneRunsTheHostsHandlerAndWritesNoLog)
{
    {
        const TavelinAudioProcessor first;
        const TavelinAudioProcessor second;
    }

    for (const auto signal : ScopedCrashHandler::fatalSignals)
        expectTheHostsHandlerRuns (signal);

    EXPECT_FALSE (logFile.exists());
}

TEST_F (CrashHandlerTest, ProcessorMadeAgainAfterTheLastWentTakesTheSignalsAgain)
{
    std::make_unique<TavelinAudioProcessor>().reset();
    {
        const TavelinAudioProcessor again;
        expectOurHandlerWritesTheLogAndKills (SIGBUS);
    }

    expectTheHostsHandlerRuns (SIGBUS);
}
} // namespace
