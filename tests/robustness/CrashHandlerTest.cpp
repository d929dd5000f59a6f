#include "processor/PluginCrashLogger.h"
#include "processor/PluginProcessor.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
using namespace tavelin::test;

/** An empty crash log for the test's duration. */
class CrashHandlerTest : public testing::Test
{
protected:
    void SetUp() override { logFile.deleteFile(); }
    void TearDown() override { logFile.deleteFile(); }

    int countCrashRecords() const
    {
        const auto lines = juce::StringArray::fromLines (logFile.loadFileAsString());
        return (int) std::count (lines.begin(), lines.end(), juce::String ("Tavelin v 1.3.0"));
    }

    const juce::File logFile = velk::PluginCrashLogger::getLogFile();
};

//==============================================================================
struct FaultCase
{
    const char* name;
    void (*fault)();
    HostHandler host;
    bool logged;
    ChildEnd end;
};

void PrintTo (const FaultCase& row, std::ostream* stream)
{
    *stream << row.name;
}

class FaultTable : public CrashHandlerTest, public testing::WithParamInterface<FaultCase>
{
};

TEST_P (FaultTable, OnlyOurFaultsAreLoggedAndEveryFaultGoesOnToTheHost)
{
    const auto& row = GetParam();
    const auto end = runFaultingChild (row.host, row.fault);

    if (end == ChildEnd::exited (allocatorNotLockedExitCode))
        GTEST_SKIP() << "the allocator in this build has no lock to hold";

    EXPECT_EQ (end, row.end);
    EXPECT_EQ (countCrashRecords(), row.logged ? 1 : 0);
}

const auto hostRuns = [] (int signal)
{ return ChildEnd::exited (hostExitCode (signal)); };

const FaultCase faultCases[] = {
    // clang-format off
    { "OwnSegfault_HostExits",          segfaultInOwnCode,          HostHandler::exits,     true,  hostRuns (SIGSEGV) },
    { "OwnSegfault_NoHostHandler",      segfaultInOwnCode,          HostHandler::none,      true,  ChildEnd::killedBy (SIGSEGV) },
    { "OwnTrap_HostExits",              trapInOwnCode,              HostHandler::exits,     true,  hostRuns (SIGILL) },
    { "OwnTrap_HostHandsBack",          trapInOwnCode,              HostHandler::handsBack, true,  ChildEnd::killedBy (SIGILL) },
    { "LibrarySegfault_HostExits",      segfaultInTheSystemLibrary, HostHandler::exits,     false, hostRuns (SIGSEGV) },
    { "LibrarySegfault_NoHostHandler",  segfaultInTheSystemLibrary, HostHandler::none,      false, ChildEnd::killedBy (SIGSEGV) },
    { "LibraryAbort_HostExits",         abortInTheSystemLibrary,    HostHandler::exits,     false, hostRuns (SIGABRT) },
    { "LibraryAbort_HostHandsBack",     abortInTheSystemLibrary,    HostHandler::handsBack, false, ChildEnd::killedBy (SIGABRT) },
    { "AllocatorLocked_HostExits",      segfaultInOwnCodeWhileTheAllocatorIsLocked, HostHandler::exits, true, hostRuns (SIGSEGV) },
    { "AllocatorLocked_NoHostHandler",  segfaultInOwnCodeWhileTheAllocatorIsLocked, HostHandler::none,  true, ChildEnd::killedBy (SIGSEGV) },
    // clang-format on
};

INSTANTIATE_TEST_SUITE_P (CrashHandler, FaultTable, testing::ValuesIn (faultCases), [] (const auto& row)
                          { return std::string (row.param.name); });

//==============================================================================
/** The host's handler in place before any processor is made. */
class ProcessorCrashHandlerTest : public CrashHandlerTest
{
protected:
    /** A fault in our code in a child, which inherits the handlers in place now. */
    void expectAFaultToReachTheHost (bool logged)
    {
        EXPECT_EQ (runInChildProcess ([]
                                      { segfaultInOwnCode(); return 0; }),
                   hostRuns (SIGSEGV));
        EXPECT_EQ (countCrashRecords(), logged ? 1 : 0);
        logFile.deleteFile();
    }

    const ScopedHostHandler hostHandler{ HostHandler::exits };
};

TEST_F (ProcessorCrashHandlerTest, FaultWhileAProcessorLivesIsLogged)
{
    const TavelinAudioProcessor processor;
    expectAFaultToReachTheHost (true);
}

TEST_F (ProcessorCrashHandlerTest, SecondProcessorInstallsNothingMoreAndTheFirstGoingKeepsOurHandler)
{
    auto first = std::make_unique<TavelinAudioProcessor>();
    const TavelinAudioProcessor second;

    first.reset();

    expectAFaultToReachTheHost (true);
}

TEST_F (ProcessorCrashHandlerTest, FaultAfterTheLastProcessorIsGoneIsNotLogged)
{
    {
        const TavelinAudioProcessor first;
        const TavelinAudioProcessor second;
    }

    expectAFaultToReachTheHost (false);
}

TEST_F (ProcessorCrashHandlerTest, ProcessorMadeAgainAfterTheLastWentTakesTheSignalsAgain)
{
    std::make_unique<TavelinAudioProcessor>().reset();
    {
        const TavelinAudioProcessor again;
        expectAFaultToReachTheHost (true);
    }

    expectAFaultToReachTheHost (false);
}
} // namespace
