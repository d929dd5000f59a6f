#include "effects/SVFSingleOutModule.h"

#include "ModuleRig.h"

#include <gtest/gtest.h>

#include <array>

namespace
{
/** The low-pass response to a unit impulse at the default 11 kHz without resonance, from the
    filter's equations in double precision: with g = tan (pi 11000 / 44100) close to 1, the
    cutoff sits near a quarter of the rate, where the response is nearly 1/4, 1/2, 1/4.
*/
constexpr std::array<double, 5> lowPassImpulse{ 0.248257441, 0.497632897, 0.251101912, 0.00232935114, 0.000579074645 };

class SVFSingleOutModuleTest : public testing::Test
{
protected:
    void SetUp() override { rig.prepare (44100.0); }

    /** Coefficients straight from the knobs: a modulation of 0 makes calc() recompute them from
        the raw values at every frame, with no ramp in between.
    */
    const velk::SVFSingleOutModule::ChannelState& coefficientsFor (float cutoffHz, float resonancePercent)
    {
        rig.set ("_Cut", cutoffHz);
        rig.set ("_Res", resonancePercent);
        rig.modulate ("_Cut", 0.0f);
        rig.block (1, 0.0f, 0.0f);
        return rig.module.getChannelState (0);
    }

    /** Lets the ramps arrive, then runs a constant input until the filter has settled. */
    float settledOutputOnConstant (float mode, float x)
    {
        rig.set ("_Mode", mode);
        rig.set ("_Cut", 1000.0f);
        rig.block (3000, 0.0f, 0.0f);
        return rig.block (44100, x, x).first;
    }

    tavelin::test::ModuleRig<velk::SVFSingleOutModule> rig{ "Filter" };
};

TEST_F (SVFSingleOutModuleTest, IntegratorGainIsTheTangentOfPiFcOverFs)
{
    EXPECT_NEAR (coefficientsFor (80.0f, 0.0f).g, 0.0056991, 5e-8);
    EXPECT_NEAR (coefficientsFor (1000.0f, 0.0f).g, 0.0713587, 5e-8);
    EXPECT_NEAR (coefficientsFor (11000.0f, 0.0f).g, 0.9964444, 5e-8);
    EXPECT_NEAR (coefficientsFor (18000.0f, 0.0f).g, 3.3693318, 5e-8);
}

TEST_F (SVFSingleOutModuleTest, ResonanceSetsTheDampingAndTheLoopCoefficients)
{
    const auto& none = coefficientsFor (1000.0f, 0.0f);
    EXPECT_DOUBLE_EQ (none.damping, 1.0);
    EXPECT_DOUBLE_EQ (none.k, 2.0 + none.g);
    EXPECT_DOUBLE_EQ (none.h, 1.0 / ((2.0 * none.g + 1.0) + none.g * none.g));

    EXPECT_DOUBLE_EQ (coefficientsFor (1000.0f, 50.0f).damping, 1.0 / (2.0 * 2.875));
    EXPECT_NEAR (coefficientsFor (1000.0f, 100.0f).damping, 0.05, 1e-12);
}

TEST_F (SVFSingleOutModuleTest, ANewSampleRateRetunesTheSameCutoff)
{
    // The default cutoff, where the ramp rests: the same value before and after the change.
    rig.block (1);
    rig.prepare (48000.0);
    rig.block (1);

    EXPECT_NEAR (rig.module.getChannelState (0).g, std::tan (juce::MathConstants<double>::pi * 11000.0 / 48000.0), 1e-12);
}

TEST_F (SVFSingleOutModuleTest, EveryChannelSharesTheCoefficients)
{
    coefficientsFor (2500.0f, 30.0f);

    EXPECT_EQ (rig.module.getChannelState (1).g, rig.module.getChannelState (0).g);
    EXPECT_EQ (rig.module.getChannelState (1).h, rig.module.getChannelState (0).h);
}

TEST_F (SVFSingleOutModuleTest, CutoffModulationRisesWithTheSquare)
{
    rig.set ("_Cut", 1000.0f);
    rig.modulate ("_Cut", 0.5f);
    rig.block (1, 0.0f, 0.0f);

    EXPECT_NEAR (rig.module.getChannelState (0).g, std::tan (juce::MathConstants<double>::pi * 5250.0 / 44100.0), 1e-12);
}

TEST_F (SVFSingleOutModuleTest, ResonanceModulationRisesInProportion)
{
    rig.modulate ("_Res", 1.0f);
    rig.block (1, 0.0f, 0.0f);

    EXPECT_NEAR (rig.module.getChannelState (0).damping, 0.05, 1e-12);
}

TEST_F (SVFSingleOutModuleTest, LowPassSettlesToAConstantInput)
{
    EXPECT_NEAR (settledOutputOnConstant (0.0f, 0.25f), 0.25f, 1e-6f);
    EXPECT_NEAR (rig.module.getChannelState (0).s1, 0.0, 1e-6);
    EXPECT_NEAR (rig.module.getChannelState (0).s2, 0.25, 1e-6);
}

TEST_F (SVFSingleOutModuleTest, HighPassSettlesToZero)
{
    EXPECT_NEAR (settledOutputOnConstant (1.0f, 0.25f), 0.0f, 1e-6f);
}

TEST_F (SVFSingleOutModuleTest, NotchPassesAConstantAtHalfItsLevel)
{
    EXPECT_NEAR (settledOutputOnConstant (3.0f, 0.25f), 0.125f, 1e-6f);
}

TEST_F (SVFSingleOutModuleTest, BandPassStaysWithinUnityForAnyInput)
{
    rig.set ("_Mode", 2.0f);
    rig.set ("_Res", 100.0f);
    rig.beginBlock();
    juce::Random random (42);

    for (int i = 0; i < 20000; ++i)
    {
        const auto x = (random.nextFloat() * 2.0f - 1.0f) * 1000.0f;
        const auto out = rig.frame (x, -x);
        ASSERT_LE (std::abs (out.first), 1.0f);
        ASSERT_LE (std::abs (out.second), 1.0f);
    }
}

TEST_F (SVFSingleOutModuleTest, ModeIsRoundedHalfToEvenAtEverySample)
{
    rig.block (1, 1.0f, 1.0f);
    const auto state = rig.module.getChannelState (0);

    // The next step from this state (both channels hold it), worked out by hand.
    const auto hp = (0.5 - state.k * state.s1 - state.s2) * state.h;
    const auto bp = std::tanh ((state.s1 + state.g * hp) * 1.018);
    const auto lp = state.s2 + state.g * bp;

    auto* mode = rig.parameters.store.getRawParameterValue ("Filter_Mode");
    mode->store (2.5f);
    EXPECT_EQ (rig.module.processSingleSample (0.5f, 0), (float) bp);

    mode->store (3.5f);
    EXPECT_EQ (rig.module.processSingleSample (0.5f, 1), (float) lp);
}

TEST_F (SVFSingleOutModuleTest, CleanUpZeroesTheStatesButKeepsTheCoefficients)
{
    const auto coefficients = coefficientsFor (3000.0f, 40.0f);
    rig.block (100, 0.7f, -0.7f);
    rig.module.cleanUp();

    for (int channel = 0; channel < 2; ++channel)
    {
        const auto& state = rig.module.getChannelState (channel);
        EXPECT_EQ (state.s1, 0.0);
        EXPECT_EQ (state.s2, 0.0);
        EXPECT_EQ (state.g, coefficients.g);
        EXPECT_EQ (state.h, coefficients.h);
        EXPECT_EQ (state.k, coefficients.k);
    }
}

TEST_F (SVFSingleOutModuleTest, CutoffGlidesFromElevenKilohertzInBlockSteps)
{
    rig.set ("_Cut", 1000.0f);
    rig.block (512, 0.0f, 0.0f);
    EXPECT_NEAR (rig.module.getChannelState (0).g, 0.9964444, 5e-8);

    rig.beginBlock();
    const auto expectedCutoff = 11000.0 - 10000.0 * 512.0 / 2646.0;
    EXPECT_NEAR (rig.module.getChannelState (0).g, std::tan (juce::MathConstants<double>::pi * expectedCutoff / 44100.0), 1e-6);
}

TEST_F (SVFSingleOutModuleTest, LowSampleRatesKeepTheTangentFiniteAndPositive)
{
    rig.prepare (32000.0);
    const auto& state = coefficientsFor (18000.0f, 0.0f);

    EXPECT_NEAR (state.g, std::tan (juce::MathConstants<double>::pi * 0.49), 1e-12);
    EXPECT_GT (state.g, 0.0);
}

TEST_F (SVFSingleOutModuleTest, StretchesCarryTheStateAcrossTheirEndsAndStopThere)
{
    constexpr auto pastTheEnd = 0.75f;
    std::array<float, 6> left{ 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, pastTheEnd }, right{ 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, pastTheEnd };

    rig.beginBlock();
    rig.frames (left.data(), right.data(), 3);
    rig.beginBlock();
    rig.frames (left.data() + 3, right.data() + 3, 2);

    for (size_t i = 0; i < lowPassImpulse.size(); ++i)
    {
        EXPECT_NEAR (left[i], lowPassImpulse[i], 1e-6) << i;
        EXPECT_EQ (right[i], 0.0f) << i;
    }

    EXPECT_EQ (left[5], pastTheEnd);
    EXPECT_EQ (right[5], pastTheEnd);
}

TEST_F (SVFSingleOutModuleTest, WholeBuffersCarryTheStateAcrossTheirEndsAndKeepTheChannelsApart)
{
    juce::AudioBuffer<float> first (2, 3), second (2, 2);
    juce::MidiBuffer midi;
    first.clear();
    second.clear();
    first.setSample (0, 0, 1.0f);

    rig.module.processBlock (first, midi, 3);
    rig.module.processBlock (second, midi, 2);

    for (size_t i = 0; i < lowPassImpulse.size(); ++i)
    {
        const auto& buffer = i < 3 ? first : second;
        const auto index = (int) i % 3;
        EXPECT_NEAR (buffer.getSample (0, index), lowPassImpulse[i], 1e-6) << i;
        EXPECT_EQ (buffer.getSample (1, index), 0.0f) << i;
    }
}

TEST_F (SVFSingleOutModuleTest, ModeTextsNameTheFourOutputs)
{
    EXPECT_EQ (velk::SVFSingleOutModule::getModeText (0.0f), "LPF");
    EXPECT_EQ (velk::SVFSingleOutModule::getModeText (1.0f), "HPF");
    EXPECT_EQ (velk::SVFSingleOutModule::getModeText (2.5f), "BPF");
    EXPECT_EQ (velk::SVFSingleOutModule::getModeText (3.0f), "NOTCH");
    EXPECT_EQ (velk::SVFSingleOutModule::getModeText (3.5f), "");
}

TEST_F (SVFSingleOutModuleTest, NamesItsParametersAndTargets)
{
    EXPECT_EQ (rig.module.getParameterUID (0), "Filter_Mode");
    EXPECT_EQ (rig.module.getParameterUID (1), "Filter_Cut");
    EXPECT_EQ (rig.module.getParameterUID (2), "Filter_Res");
    EXPECT_TRUE (rig.module.getParameterUID (3).isEmpty());
    EXPECT_EQ (rig.module.getModulationParameterNames(), juce::StringArray ({ "Filter_Cut", "Filter_Res" }));
}
} // namespace
