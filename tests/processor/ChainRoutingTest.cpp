#include "processor/ChainRouting.h"

#include <gtest/gtest.h>

#include <vector>

namespace velk
{
namespace
{
    // Chains are stand-ins with distinct gains and the filter another, so every route gives a
    // distinct wet value for an input of 1: chain 1 doubles, chain 2 triples, chain 3 multiplies
    // by 5 and the filter by 7.
    constexpr std::array<float, 3> chainGains{ 2.0f, 3.0f, 5.0f };
    constexpr float filterGain = 7.0f;

    struct Render
    {
        float wet = 0.0f;
        std::vector<int> chainCalls;
        std::vector<float> filterInputs;
        bool filterSkipped = false;
    };

    void scale (StereoFrames& frames, float gain)
    {
        frames.left[0] *= gain;
        frames.right[0] *= gain;
    }

    /** One frame through the routing, the same sample on both sides; the right side must come
        out as the left does.
    */
    Render render (const ChainRouting::Switches& switches, float x = 1.0f)
    {
        const ChainRouting routing (switches);
        Render result;
        StereoFrames input, filterFrames, wet;
        std::array<StereoFrames, ChainRouting::numChains> outputs;
        input.left[0] = x;
        input.right[0] = x;

        routing.runChains (input, outputs, 1, [&] (int chain, StereoFrames& frames)
                           {
                               result.chainCalls.push_back (chain);
                               scale (frames, chainGains[(size_t) chain]); });

        routing.mixWet (
            input, outputs, filterFrames, wet, 1, [&] (StereoFrames& frames)
            {
                result.filterInputs.push_back (frames.left[0]);
                scale (frames, filterGain); },
            [&]
            { result.filterSkipped = true; });

        EXPECT_EQ (wet.right[0], wet.left[0]);
        result.wet = wet.left[0];
        return result;
    }

    ChainRouting::Switches activeChains (bool chain1, bool chain2, bool chain3, bool serial2, bool serial3)
    {
        ChainRouting::Switches switches;
        switches.bypassed = { !chain1, !chain2, !chain3 };
        switches.chain2Serial = serial2;
        switches.chain3Serial = serial3;
        return switches;
    }

    struct RoutingRow
    {
        bool chain1, chain2, chain3, serial2, serial3;
        float expectedWet;
        const char* description;
    };

    // The routing table, with every "either" switch spelled out both ways. Input x = 1.
    const std::vector<RoutingRow> routingTable{
        { true, false, false, false, false, 2.0f, "1 alone" },
        { true, false, false, true, true, 2.0f, "1 alone, serial switches ignored" },
        { false, true, false, false, false, 3.0f, "2 alone" },
        { false, true, false, true, true, 3.0f, "2 alone gets x although serial" },
        { false, false, true, false, false, 5.0f, "3 alone" },
        { false, false, true, true, true, 5.0f, "3 alone gets x although serial" },
        { true, true, false, true, false, 6.0f, "1,2 serial: chain2(y1)" },
        { true, true, false, true, true, 6.0f, "1,2 serial, S3 irrelevant" },
        { true, true, false, false, false, 5.0f, "1,2 parallel: y1 + y2" },
        { true, true, false, false, true, 5.0f, "1,2 parallel, S3 irrelevant" },
        { true, false, true, false, true, 10.0f, "1,3 serial: chain3(y1)" },
        { true, false, true, true, true, 10.0f, "1,3 serial, S2 irrelevant" },
        { true, false, true, false, false, 7.0f, "1,3 parallel: y1 + y3" },
        { true, false, true, true, false, 7.0f, "1,3 parallel, S2 irrelevant" },
        { false, true, true, false, true, 15.0f, "2,3 serial: chain3(y2)" },
        { false, true, true, true, true, 15.0f, "2,3 serial, S2 irrelevant" },
        { false, true, true, false, false, 8.0f, "2,3 parallel: y2 + y3" },
        { false, true, true, true, false, 8.0f, "2,3 parallel, S2 irrelevant" },
        { true, true, true, true, true, 30.0f, "all serial: chain3(chain2(y1))" },
        { true, true, true, false, true, 25.0f, "1,2 parallel into 3: chain3(y1 + y2)" },
        { true, true, true, true, false, 13.0f, "2 serial, 3 parallel: y1 + chain2(y1) + y3" },
        { true, true, true, false, false, 10.0f, "all parallel: y1 + y2 + y3" },
    };
} // namespace

//==============================================================================
TEST (ChainRoutingTable, EveryRowGivesItsWetSignal)
{
    for (const auto& row : routingTable)
    {
        const auto result = render (activeChains (row.chain1, row.chain2, row.chain3, row.serial2, row.serial3));
        EXPECT_FLOAT_EQ (result.wet, row.expectedWet) << row.description;
        EXPECT_TRUE (result.filterInputs.empty()) << row.description;
    }
}

TEST (ChainRoutingTable, NoActiveChainSendsTheInputThroughTheFilterWhateverTheSwitches)
{
    auto switches = activeChains (false, false, false, true, true);
    switches.toFilter = { false, false, false };

    const auto result = render (switches, 0.5f);

    EXPECT_FLOAT_EQ (result.wet, 3.5f);
    ASSERT_EQ (result.filterInputs.size(), 1u);
    EXPECT_FLOAT_EQ (result.filterInputs[0], 0.5f);
    EXPECT_TRUE (result.chainCalls.empty());
}

TEST (ChainRoutingTable, OnlyActiveChainsRunAndInOrder)
{
    EXPECT_EQ (render (activeChains (true, false, true, false, false)).chainCalls, (std::vector<int>{ 0, 2 }));
    EXPECT_EQ (render (activeChains (true, true, true, true, true)).chainCalls, (std::vector<int>{ 0, 1, 2 }));
}

TEST (ChainRoutingTable, ChainThreeSerialAfterParallelPairHearsTheirSum)
{
    const ChainRouting routing (activeChains (true, true, true, false, true));

    EXPECT_EQ (routing.getSource (1), ChainRouting::Source::input);
    EXPECT_EQ (routing.getSource (2), ChainRouting::Source::chains1And2);
    EXPECT_FALSE (routing.isTerminal (0));
    EXPECT_FALSE (routing.isTerminal (1));
    EXPECT_TRUE (routing.isTerminal (2));
}

TEST (ChainRoutingTable, SerialChainTwoBesideParallelChainThreeKeepsChainOneAudible)
{
    const ChainRouting routing (activeChains (true, true, true, true, false));

    EXPECT_EQ (routing.getSource (1), ChainRouting::Source::chain1);
    EXPECT_EQ (routing.getSource (2), ChainRouting::Source::input);
    EXPECT_TRUE (routing.isTerminal (0));
    EXPECT_TRUE (routing.isTerminal (1));
    EXPECT_TRUE (routing.isTerminal (2));

    const ChainRouting withoutChain3 (activeChains (true, true, false, true, false));
    EXPECT_FALSE (withoutChain3.isTerminal (0));
    EXPECT_TRUE (withoutChain3.isTerminal (1));
}

//==============================================================================
TEST (ChainRoutingFilter, FilteredTerminalsAreSummedIntoOneFilterCall)
{
    auto switches = activeChains (true, true, true, false, false);
    switches.toFilter = { true, false, true };

    const auto result = render (switches);

    ASSERT_EQ (result.filterInputs.size(), 1u);
    EXPECT_FLOAT_EQ (result.filterInputs[0], 2.0f + 5.0f);
    EXPECT_FLOAT_EQ (result.wet, 7.0f * 7.0f + 3.0f);
}

TEST (ChainRoutingFilter, SwitchOfANonTerminalChainHasNoEffect)
{
    auto switches = activeChains (true, true, false, true, false);
    switches.toFilter = { true, false, false };

    const auto result = render (switches);

    EXPECT_TRUE (result.filterInputs.empty());
    EXPECT_TRUE (result.filterSkipped);
    EXPECT_FLOAT_EQ (result.wet, 6.0f);
}

TEST (ChainRoutingFilter, EveryFrameOfAStretchTakesTheRoute)
{
    // All parallel, chain 3 through the filter: w = 2x + 3x + 7 * 5x = 40x, frame by frame.
    auto switches = activeChains (true, true, true, false, false);
    switches.toFilter = { false, false, true };
    const ChainRouting routing (switches);

    StereoFrames input, filterFrames, wet;
    std::array<StereoFrames, ChainRouting::numChains> outputs;

    for (size_t i = 0; i < 3; ++i)
    {
        input.left[i] = (float) i + 1.0f;
        input.right[i] = -input.left[i];
    }

    const auto scaleStretch = [] (StereoFrames& frames, float gain)
    {
        for (size_t i = 0; i < 3; ++i)
        {
            frames.left[i] *= gain;
            frames.right[i] *= gain;
        }
    };

    routing.runChains (input, outputs, 3, [&] (int chain, StereoFrames& frames)
                       { scaleStretch (frames, chainGains[(size_t) chain]); });
    routing.mixWet (
        input, outputs, filterFrames, wet, 3, [&] (StereoFrames& frames)
        { scaleStretch (frames, filterGain); },
        [] {});

    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_FLOAT_EQ (wet.left[i], 40.0f * input.left[i]) << i;
        EXPECT_FLOAT_EQ (wet.right[i], 40.0f * input.right[i]) << i;
    }
}

TEST (ChainRoutingFilter, SwitchOfABypassedChainHasNoEffect)
{
    auto switches = activeChains (false, true, false, false, false);
    switches.toFilter = { true, false, true };

    const auto result = render (switches);

    EXPECT_TRUE (result.filterInputs.empty());
    EXPECT_FLOAT_EQ (result.wet, 3.0f);
}

TEST (ChainRoutingFilter, OnlyChainTwoActiveGoesThroughTheFilterWhenItsSwitchIsOn)
{
    auto switches = activeChains (false, true, false, false, false);
    switches.toFilter = { false, true, false };

    const auto result = render (switches);

    ASSERT_EQ (result.filterInputs.size(), 1u);
    EXPECT_FLOAT_EQ (result.wet, 21.0f);
}

TEST (ChainRoutingFilter, AllTerminalsFilteredLeavesNothingDirect)
{
    auto switches = activeChains (true, true, true, true, false);
    switches.toFilter = { true, true, true };

    const auto result = render (switches);

    ASSERT_EQ (result.filterInputs.size(), 1u);
    EXPECT_FLOAT_EQ (result.filterInputs[0], 2.0f + 6.0f + 5.0f);
    EXPECT_FLOAT_EQ (result.wet, 13.0f * 7.0f);
}

TEST (ChainRoutingFilter, DefaultRoutingIsEverythingBypassed)
{
    const ChainRouting routing;

    EXPECT_TRUE (routing.isInputFiltered());
    EXPECT_FALSE (routing.isActive (0));
}
} // namespace velk
