#include "ProcessorTestRig.h"

namespace velk::test
{
namespace
{
    constexpr int toneLength = 4096;

    /** Expected output of one run: per sample and channel the wet value w (from the chains and
        the filter) is scaled by the output level and mixed with the input, then passes the DC
        blocker.
    */
    StereoSignal mixAndBlockDc (const StereoSignal& input,
                                const std::function<float (float x, int channel)>& wet,
                                float outputGain,
                                float mixPercent)
    {
        ReferenceDcBlocker dcBlocker;
        const auto dryGain = dryGainFor (mixPercent);
        const auto wetGain = wetGainFor (mixPercent);

        return makeSignal ((int) input[0].size(), [&] (int ch, int i)
                           {
                               const auto x = input[(size_t) ch][(size_t) i];
                               return dcBlocker.process ((wet (x, ch) * outputGain) * wetGain + x * dryGain, ch); });
    }

    juce::String chainId (const char* base, int chain, const char* suffix)
    {
        return base + juce::String ("_") + juce::String (chain) + suffix;
    }

    constexpr int rampLength = 2646; // 60 ms at 44.1 kHz

    /** Where a ramp starting at `start` stands after blocks of blockSize aimed at `target`. */
    float rampAfterBlocks (float start, float target, int numBlocks, int blockSize = ProcessorRig::maxBlockSize)
    {
        ParameterRamp<float> ramp{ start };

        for (int block = 0; block < numBlocks; ++block)
        {
            ramp.aimAt (target, rampLength);
            ramp.advance (blockSize);
        }

        return ramp.current;
    }
} // namespace

/** The chains reduced to known gains: no pitch shift or echo in the mix, the panner centred,
    so chain k's output is its gain g_k times its input.
*/
class AudioBlock : public ::testing::Test
{
protected:
    void makeChainsPlainGains (const std::array<float, 3>& gainsDb)
    {
        for (int chain = 1; chain <= 3; ++chain)
        {
            rig.set (chainId ("Pitch_Shifter", chain, "_Mix"), 0.0f);
            rig.set (chainId ("Delay", chain, "_Mix"), 0.0f);
            rig.set (chainId ("Gainer", chain, "_Gain"), gainsDb[(size_t) chain - 1]);
            rig.set (chainId ("Panner", chain, "_Pan"), 50.0f);
            rig.set (TavelinAudioProcessor::chainToFilterUID (chain - 1), 0.0f);
        }
    }

    float chainGain (int chain) const
    {
        return decibelsToGain (rig.get (chainId ("Gainer", chain, "_Gain")));
    }

    void setRouting (bool chain1, bool chain2, bool chain3, bool serial2, bool serial3)
    {
        rig.set ("Chain_Bypass_0", chain1 ? 0.0f : 1.0f);
        rig.set ("Chain_Bypass_1", chain2 ? 0.0f : 1.0f);
        rig.set ("Chain_Bypass_2", chain3 ? 0.0f : 1.0f);
        rig.set ("Chain2_Serial_Mode", serial2 ? 1.0f : 0.0f);
        rig.set ("Chain3_Serial_Mode", serial3 ? 1.0f : 0.0f);
    }

    void setFilter (ReferenceFilter::Mode mode, float cutoff)
    {
        rig.set ("Filter_Mode", (float) mode);
        rig.set ("Filter_Cut", cutoff);
        rig.set ("Filter_Res", 0.0f);
    }

    ReferenceFilter referenceFilter (ReferenceFilter::Mode mode)
    {
        return { mode, rig.get ("Filter_Cut"), rig.get ("Filter_Res") };
    }

    ProcessorRig rig;
    const StereoSignal tone = testTone (toneLength);

    // A pitch shifter or delay at mix 0 still lets 4.8e-6 of its wet signal through.
    static constexpr float tolerance = 5.0e-5f;
};

//==============================================================================
TEST_F (AudioBlock, EveryRoutingRowGivesItsWetSignal)
{
    struct Row
    {
        bool chain1, chain2, chain3, serial2, serial3;
        std::function<float (float, float, float)> factor;
        const char* description;
    };

    const std::vector<Row> table{
        { true, false, false, true, true, [] (float g1, float, float)
          { return g1; },
          "1 alone" },
        { false, true, false, true, true, [] (float, float g2, float)
          { return g2; },
          "2 alone" },
        { false, false, true, true, true, [] (float, float, float g3)
          { return g3; },
          "3 alone" },
        { true, true, false, true, false, [] (float g1, float g2, float)
          { return g2 * g1; },
          "1,2 serial" },
        { true, true, false, false, true, [] (float g1, float g2, float)
          { return g1 + g2; },
          "1,2 parallel" },
        { true, false, true, false, true, [] (float g1, float, float g3)
          { return g3 * g1; },
          "1,3 serial" },
        { true, false, true, true, false, [] (float g1, float, float g3)
          { return g1 + g3; },
          "1,3 parallel" },
        { false, true, true, false, true, [] (float, float g2, float g3)
          { return g3 * g2; },
          "2,3 serial" },
        { false, true, true, true, false, [] (float, float g2, float g3)
          { return g2 + g3; },
          "2,3 parallel" },
        { true, true, true, true, true, [] (float g1, float g2, float g3)
          { return g3 * g2 * g1; },
          "all serial" },
        { true, true, true, false, true, [] (float g1, float g2, float g3)
          { return g3 * (g1 + g2); },
          "1,2 parallel into 3" },
        { true, true, true, true, false, [] (float g1, float g2, float g3)
          { return g1 + g2 * g1 + g3; },
          "2 serial, 3 parallel" },
        { true, true, true, false, false, [] (float g1, float g2, float g3)
          { return g1 + g2 + g3; },
          "all parallel" },
    };

    for (const auto& row : table)
    {
        ProcessorRig rowRig;
        rig.processor.swap (rowRig.processor);
        rig.processor->setPlayHead (&rig.playHead);

        makeChainsPlainGains ({ -3.0f, -6.0f, -10.0f });
        setRouting (row.chain1, row.chain2, row.chain3, row.serial2, row.serial3);
        rig.settle();

        const auto factor = row.factor (chainGain (1), chainGain (2), chainGain (3));
        const auto expected = mixAndBlockDc (
            tone, [factor] (float x, int)
            { return factor * x; },
            1.0f, 100.0f);

        expectSignalsNear (rig.process (tone), expected, tolerance, row.description);
        rig.processor->setPlayHead (nullptr);
        rig.processor.swap (rowRig.processor);
    }
}

TEST_F (AudioBlock, SwitchAtExactlyOneHalfCountsAsOff)
{
    makeChainsPlainGains ({ -3.0f, -6.0f, -10.0f });
    setRouting (true, true, false, false, false);
    rig.processor->valueTreeState.getRawParameterValue ("Chain2_Serial_Mode")->store (0.5f);
    rig.settle();

    const auto factor = chainGain (1) + chainGain (2);
    expectSignalsNear (rig.process (tone), mixAndBlockDc (
                                               tone, [factor] (float x, int)
                                               { return factor * x; },
                                               1.0f, 100.0f),
                       tolerance, "parallel");
}

//==============================================================================
TEST_F (AudioBlock, NoActiveChainSendsTheInputThroughTheFilterWhateverItsSwitches)
{
    makeChainsPlainGains ({ 0.0f, 0.0f, 0.0f });
    setRouting (false, false, false, false, false);
    setFilter (ReferenceFilter::highPass, 1000.0f);
    rig.settle();

    auto filter = referenceFilter (ReferenceFilter::highPass);
    const auto expected = mixAndBlockDc (
        tone, [&filter] (float x, int ch)
        { return filter.process (x, ch); },
        1.0f, 100.0f);

    expectSignalsNear (rig.process (tone), expected, 1.0e-5f, "filter(x)");
}

TEST_F (AudioBlock, FilteredChainAloneIsHeardThroughTheFilter)
{
    makeChainsPlainGains ({ 0.0f, -6.0f, 0.0f });
    setRouting (false, true, false, false, false);
    rig.set ("Chain_To_Filter_2", 1.0f);
    setFilter (ReferenceFilter::lowPass, 1000.0f);
    rig.settle();

    auto filter = referenceFilter (ReferenceFilter::lowPass);
    const auto g2 = chainGain (2);
    const auto expected = mixAndBlockDc (
        tone, [&] (float x, int ch)
        { return filter.process (g2 * x, ch); },
        1.0f, 100.0f);

    expectSignalsNear (rig.process (tone), expected, tolerance, "filter(chain2(x))");
}

TEST_F (AudioBlock, FilteredTerminalsShareOneFilterBesideTheDirectOnes)
{
    makeChainsPlainGains ({ -3.0f, -6.0f, -10.0f });
    setRouting (true, true, true, false, false);
    rig.set ("Chain_To_Filter_1", 1.0f);
    rig.set ("Chain_To_Filter_3", 1.0f);
    setFilter (ReferenceFilter::highPass, 1000.0f);
    rig.settle();

    auto filter = referenceFilter (ReferenceFilter::highPass);
    const auto g1 = chainGain (1), g2 = chainGain (2), g3 = chainGain (3);
    const auto expected = mixAndBlockDc (
        tone, [&] (float x, int ch)
        { return filter.process (g1 * x + g3 * x, ch) + g2 * x; },
        1.0f, 100.0f);

    expectSignalsNear (rig.process (tone), expected, tolerance, "filter(y1 + y3) + y2");
}

TEST_F (AudioBlock, FilterSwitchOfANonTerminalChainHasNoEffect)
{
    makeChainsPlainGains ({ -3.0f, -6.0f, 0.0f });
    setRouting (true, true, false, true, false);
    rig.set ("Chain_To_Filter_1", 1.0f);
    setFilter (ReferenceFilter::highPass, 1000.0f);
    rig.settle();

    const auto factor = chainGain (2) * chainGain (1);
    expectSignalsNear (rig.process (tone), mixAndBlockDc (
                                               tone, [factor] (float x, int)
                                               { return factor * x; },
                                               1.0f, 100.0f),
                       tolerance, "chain2(y1)");
}

//==============================================================================
TEST_F (AudioBlock, DryWetMixesChainAndInputWithEqualPowerGains)
{
    for (auto mix : { 0.0f, 50.0f, 100.0f })
    {
        ProcessorRig mixRig;
        rig.processor.swap (mixRig.processor);
        rig.processor->setPlayHead (&rig.playHead);

        makeChainsPlainGains ({ -20.0f, 0.0f, 0.0f });
        setRouting (true, false, false, false, false);
        rig.set ("Dry_Wet", mix);
        rig.settle();

        // 2646 float additions leave the ramp a few thousandths off its target; it doesn't snap.
        const auto settledMix = rampAfterBlocks (100.0f, mix, 2);
        EXPECT_NEAR (settledMix, mix, 0.01f);

        const auto g1 = chainGain (1);
        const auto expected = mixAndBlockDc (
            tone, [g1] (float x, int)
            { return g1 * x; },
            1.0f, settledMix);
        expectSignalsNear (rig.process (tone), expected, tolerance, "mix " + std::to_string (mix));

        rig.processor->setPlayHead (nullptr);
        rig.processor.swap (mixRig.processor);
    }
}

TEST_F (AudioBlock, DryWetRampMovesSampleBySample)
{
    makeChainsPlainGains ({ -20.0f, 0.0f, 0.0f });
    setRouting (true, false, false, false, false);
    rig.settle();

    rig.set ("Dry_Wet", 0.0f);
    const auto input = testTone (rampLength);
    const auto output = rig.process (input, rampLength);

    const auto g1 = chainGain (1);
    const auto step = (0.0f - 100.0f) / (float) rampLength;
    auto mix = 100.0f;
    ReferenceDcBlocker dcBlocker;
    StereoSignal expected;

    for (size_t i = 0; i < input[0].size(); ++i)
    {
        mix += step;

        for (size_t ch = 0; ch < 2; ++ch)
        {
            const auto x = input[ch][i];
            expected[ch].push_back (dcBlocker.process ((g1 * x) * wetGainFor (mix) + x * dryGainFor (mix), (int) ch));
        }
    }

    expectSignalsNear (output, expected, tolerance, "ramp");
    EXPECT_NEAR (mix, 0.0f, 0.01f) << "0 up to float rounding";
}

TEST_F (AudioBlock, ModulatedDryWetMovesFromTheKnobTowardFullyWet)
{
    makeChainsPlainGains ({ -20.0f, 0.0f, 0.0f });
    setRouting (true, false, false, false, false);
    rig.set ("Dry_Wet", 0.0f);
    rig.set ("Macro_1_Offset", 50.0f);
    rig.set ("Matrix_Macro_1_to_Dry_Wet", 100.0f);
    rig.settle();

    const auto g1 = chainGain (1);
    const auto expected = mixAndBlockDc (
        tone, [g1] (float x, int)
        { return g1 * x; },
        1.0f, 50.0f);
    expectSignalsNear (rig.process (tone), expected, tolerance, "mix 0 + 0.5 x 100");
}

//==============================================================================
TEST_F (AudioBlock, OutputLevelStepsOncePerBlockAlongItsRamp)
{
    makeChainsPlainGains ({ 0.0f, 0.0f, 0.0f });
    setRouting (true, false, false, false, false);
    rig.settle();
    rig.set ("Global_Gain", -12.0f);

    std::vector<float> blockGains;

    for (int block = 0; block < 3; ++block)
        blockGains.push_back (decibelsToGain (rampAfterBlocks (0.0f, rig.get ("Global_Gain"), block, 512)));

    const auto input = testTone (3 * 512);
    const auto output = rig.process (input, 512);

    ReferenceDcBlocker dcBlocker;
    const auto wetGain = wetGainFor (100.0f), dryGain = dryGainFor (100.0f);
    const auto g1 = chainGain (1);
    const auto expected = makeSignal (3 * 512, [&] (int ch, int i)
                                      {
                                          const auto x = input[(size_t) ch][(size_t) i];
                                          return dcBlocker.process (((g1 * x) * blockGains[(size_t) i / 512]) * wetGain + x * dryGain, ch); });

    EXPECT_EQ (blockGains[0], 1.0f);
    EXPECT_LT (blockGains[2], blockGains[1]);
    expectSignalsNear (output, expected, tolerance, "stepped level");
}

TEST_F (AudioBlock, OutputLevelArrivesWithinALongBlock)
{
    makeChainsPlainGains ({ 0.0f, 0.0f, 0.0f });
    setRouting (true, false, false, false, false);
    rig.set ("Global_Gain", 6.0f);
    rig.settle();

    const auto levelDb = rampAfterBlocks (0.0f, rig.get ("Global_Gain"), 2);
    EXPECT_NEAR (levelDb, rig.get ("Global_Gain"), 1.0e-3f);

    const auto level = decibelsToGain (levelDb);
    const auto g1 = chainGain (1);
    expectSignalsNear (rig.process (tone), mixAndBlockDc (
                                               tone, [g1] (float x, int)
                                               { return g1 * x; },
                                               level, 100.0f),
                       tolerance, "+6 dB");
}

//==============================================================================
TEST_F (AudioBlock, HostAnswers)
{
    const auto& processor = *rig.processor;
    EXPECT_EQ (processor.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (processor.acceptsMidi() && !processor.producesMidi() && !processor.isMidiEffect());
    EXPECT_EQ (processor.getName(), "Tavelin");
}
} // namespace velk::test
