#include "platform/ScopedCrashHandler.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
using velk::ScopedCrashHandler;

void hostHandler (int) {}
void laterHandler (int) {}
int numPrepared = 0;
int numReleased = 0;
constexpr ScopedCrashHandler::Recorder crashHandler{ []
                                                     { ++numPrepared; },
                                                     []() noexcept {}, []
                                                     { ++numReleased; } };

template <typename Function>
std::uintptr_t addressOf (Function* function)
{
    return reinterpret_cast<std::uintptr_t> (function);
}

/** Gives the fatal signals a stand-in for the host's own handler for the test's duration. */
class ScopedCrashHandlerTest : public testing::Test
{
protected:
    void SetUp() override
    {
        numPrepared = numReleased = 0;
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
    EXPECT_EQ (numReleased, 0);

    second.reset();
    expectHostHandlers();
    EXPECT_EQ (numPrepared, 1);
    EXPECT_EQ (numReleased, 1);
}

TEST_F (ScopedCrashHandlerTest, InstallingAgainAfterTheLastUserSavesTheHostsHandlersAgain)
{
    std::make_unique<ScopedCrashHandler> (crashHandler).reset();
    {
        const ScopedCrashHandler again (crashHandler);
        expectOurHandlers();
    }

    expectHostHandlers();
    EXPECT_EQ (numPrepared, 2);
    EXPECT_EQ (numReleased, 2);
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

TEST (CodeRange, IsTheWholeLoadedObjectThatHoldsTheAddress)
{
    // Our code is linked into this test program; the C library is an object of its own. clang
    // links a sanitizer's runtime into the program, with its own strlen and the like, but none
    // stands in for getpid.
    const auto ownCode = ScopedCrashHandler::CodeRange::ofOwnCode();
    const auto library = ScopedCrashHandler::CodeRange::ofObjectContaining (addressOf (&getpid));

    EXPECT_TRUE (ownCode.contains (addressOf (&hostHandler)));
    EXPECT_FALSE (ownCode.contains (addressOf (&getpid)));
    EXPECT_TRUE (library.contains (addressOf (&getpid)));
    EXPECT_FALSE (library.contains (addressOf (&hostHandler)));
    EXPECT_EQ (ScopedCrashHandler::CodeRange::ofObjectContaining (0).end, 0u);
}
} // namespace
