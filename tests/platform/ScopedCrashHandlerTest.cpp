#include "platform/ScopedCrashHandler.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
using velk::ScopedCrashHandler;

void hostHandler (int) {}
void laterHandler (int) {}
void crashHandler (void*) {}

/** Gives the fatal signals a stand-in for the host's own handler for the test's duration. */
class ScopedCrashHandlerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        struct sigaction action
        {
        };
        action.sa_handler = hostHandler;
        action.sa_flags = SA_RESTART;

        for (size_t i = 0; i < ScopedCrashHandler::fatalSignals.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], &action, &original[i]);
    }

    void TearDown() override
    {
        for (size_t i = 0; i < ScopedCrashHandler::fatalSignals.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], &original[i], nullptr);
    }

    static struct sigaction currentAction (int signal)
    {
        struct sigaction action
        {
        };
        sigaction (signal, nullptr, &action);
        return action;
    }

    static void expectHostHandlers()
    {
        for (const auto signal : ScopedCrashHandler::fatalSignals)
        {
            const auto action = currentAction (signal);
            EXPECT_EQ (action.sa_handler, &hostHandler) << signal;
            EXPECT_TRUE ((action.sa_flags & SA_RESTART) != 0) << signal;
        }
    }

    static void expectOurHandlers()
    {
        for (const auto signal : ScopedCrashHandler::fatalSignals)
        {
            const auto action = currentAction (signal);
            EXPECT_NE (action.sa_handler, &hostHandler) << signal;
            EXPECT_NE (action.sa_handler, SIG_DFL) << signal;
            // Our handler interrupts system calls rather than restarting them.
            EXPECT_EQ (action.sa_flags & SA_RESTART, 0) << signal;
        }
    }

    std::array<struct sigaction, ScopedCrashHandler::fatalSignals.size()> original{};
};

TEST_F (ScopedCrashHandlerTest, TakesTheSixFatalSignalsAndGivesThemBack)
{
    {
        const ScopedCrashHandler handler (crashHandler);
        expectOurHandlers();
    }

    expectHostHandlers();
}

TEST_F (ScopedCrashHandlerTest, HandlersGoBackOnlyWhenTheLastUserGoes)
{
    auto first = std::make_unique<ScopedCrashHandler> (crashHandler);
    auto second = std::make_unique<ScopedCrashHandler> (crashHandler);

    first.reset();
    expectOurHandlers();

    second.reset();
    expectHostHandlers();
}

TEST_F (ScopedCrashHandlerTest, InstallingAgainAfterTheLastUserSavesTheHostsHandlersAgain)
{
    std::make_unique<ScopedCrashHandler> (crashHandler).reset();
    {
        const ScopedCrashHandler again (crashHandler);
        expectOurHandlers();
    }

    expectHostHandlers();
}

TEST_F (ScopedCrashHandlerTest, SignalTakenOverByOthersIsLeftToThem)
{
    {
        const ScopedCrashHandler handler (crashHandler);
        struct sigaction action
        {
        };
        action.sa_handler = laterHandler;
        sigaction (SIGSEGV, &action, nullptr);
    }

    EXPECT_EQ (currentAction (SIGSEGV).sa_handler, &laterHandler);
    EXPECT_EQ (currentAction (SIGABRT).sa_handler, &hostHandler);
}

TEST_F (ScopedCrashHandlerTest, FatalSignalRunsTheHandlerAndEndsTheProcessBySigkill)
{
    // The child reports through a pipe that its handler ran.
    int fds[2];
    ASSERT_EQ (pipe (fds), 0);
    static int reportFd = -1;
    reportFd = fds[1];

    const auto child = fork();

    if (child == 0)
    {
        close (fds[0]);
        const ScopedCrashHandler handler ([] (void*)
                                          { [[maybe_unused]] const auto written = write (reportFd, "x", 1); });
        std::raise (SIGABRT);
        _exit (0);
    }

    close (fds[1]);
    int status = 0;
    ASSERT_EQ (waitpid (child, &status, 0), child);
    char report = 0;
    const auto received = read (fds[0], &report, 1);
    close (fds[0]);

    ASSERT_TRUE (WIFSIGNALED (status));
    EXPECT_EQ (WTERMSIG (status), SIGKILL);
    EXPECT_EQ (received, 1);
    EXPECT_EQ (report, 'x');
}
} // namespace
