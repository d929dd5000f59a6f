#include "processor/StateGuard.h"
#include "parameters/ParameterCreation.h"
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

TEST (StateGuardValues, TextIsReadAsANumberAndAnExponentOfAnyLengthGoesToTheEndOfTheRange)
{
    TestParameterStore parameters;
    velk::addFloatParameter (parameters.store, "Panner_1_Pan", "Pan", { 0.0f, 100.0f, 0.01f }, 50.0f, {}, nullptr);
    velk::addFloatParameter (parameters.store, "Delay_1_Time", "Time", { 1.0f, 4000.0f, 1.0f }, 120.0f, {}, nullptr);
    parameters.finishCreatingParameters();
    velk::StateGuard guard{ parameters.processor, parameters.store };
    const auto plainValue = [&] (const char* id)
    {
        auto* parameter = parameters.store.getParameter (id);
        return parameter->convertFrom0to1 (parameter->getValue());
    };

    guard.writeState (juce::ValueTree::fromXml (R"(<Tavelin><PARAM id="Panner_1_Pan" value=" 12.5x"/>)"
                                                R"(<PARAM id="Delay_1_Time" value="1e3144444444444444449"/></Tavelin>)"));

    EXPECT_FLOAT_EQ (plainValue ("Panner_1_Pan"), 12.5f);
    EXPECT_FLOAT_EQ (plainValue ("Delay_1_Time"), 4000.0f);
}
} // namespace tavelin::test
