#include "processor/StateGuard.h"
#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace tavelin::test
{
namespace
{
    /** Suspensions begun (a capital letter) and ended (its small letter) in turn, and whether
        blocks are kept out after each step.
    */
    struct Overlap
    {
        const char* steps;
        const char* suspendedAfterEach;
    };

    std::ostream& operator<< (std::ostream& out, const Overlap& o)
    {
        return out << o.steps;
    }
} // namespace

class SuspensionOverlap : public ::testing::TestWithParam<Overlap>
{
protected:
    SuspensionOverlap() { parameters.finishCreatingParameters(); }

    TestParameterStore parameters;
    velk::StateGuard guard{ parameters.processor, parameters.store };
};

TEST_P (SuspensionOverlap, BlocksStayOutUntilTheLastSuspensionEnds)
{
    std::map<char, std::unique_ptr<velk::StateGuard::Suspension>> open;
    juce::String seen;

    for (const auto step : juce::String (GetParam().steps))
    {
        if (juce::CharacterFunctions::isUpperCase (step))
            open[(char) step] = std::make_unique<velk::StateGuard::Suspension> (guard);
        else
            open.erase ((char) juce::CharacterFunctions::toUpperCase (step));

        seen << (parameters.processor.isSuspended() ? "1" : "0");
    }

    EXPECT_EQ (seen, GetParam().suspendedAfterEach);
}

INSTANTIATE_TEST_SUITE_P (PrepareAndLoad, SuspensionOverlap,
                          ::testing::Values (Overlap{ "Aa", "10" },
                                             Overlap{ "AaBb", "1010" },
                                             Overlap{ "ABab", "1110" },
                                             Overlap{ "ABba", "1110" },
                                             Overlap{ "ABCbac", "111110" }));

TEST_F (SuspensionOverlap, AMemoryChangeRunsWithBlocksKeptOutAndLetsThemInAfter)
{
    auto suspendedDuringTheChange = false;
    guard.changeMemories ([&]
                          { suspendedDuringTheChange = parameters.processor.isSuspended(); });

    EXPECT_TRUE (suspendedDuringTheChange);
    EXPECT_FALSE (parameters.processor.isSuspended());
}
} // namespace tavelin::test
