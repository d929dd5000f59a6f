#include "modulation/EqualPowerCrossfade.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterCreation.h"
#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
TEST (EqualPowerCrossfadeTest, EndsAndMiddle)
{
    EXPECT_EQ (velk::equalPowerCurve (0.0), 1.0f);
    EXPECT_NEAR (velk::equalPowerCurve (juce::MathConstants<double>::halfPi), 4.8e-6f, 0.1e-6f);
    EXPECT_NEAR (velk::equalPowerDryGain (0.5), 0.70771f, 1.0e-5f);
    EXPECT_EQ (velk::equalPowerDryGain (0.5), velk::equalPowerWetGain (0.5));
}

TEST (EqualPowerCrossfadeTest, DryAndWetMirrorEachOther)
{
    EXPECT_EQ (velk::equalPowerDryGain (0.0), 1.0f);
    EXPECT_EQ (velk::equalPowerWetGain (1.0), 1.0f);
    EXPECT_EQ (velk::equalPowerDryGain (0.25), velk::equalPowerWetGain (0.75));
    EXPECT_GT (velk::equalPowerDryGain (0.25), velk::equalPowerWetGain (0.25));
}

TEST (EqualPowerCrossfadeTest, EvaluatesInSinglePrecision)
{
    // t = pi/4 as a float, squared and run through the float polynomial by hand.
    const auto t = (float) juce::MathConstants<double>::halfPi * 0.5f;
    const auto t2 = t * t;
    EXPECT_EQ (velk::equalPowerCurve (juce::MathConstants<double>::halfPi * 0.5), (0.03705f * t2 - 0.4967f) * t2 + 1.0f);
}

TEST (EqualPowerCrossfadeTest, StretchOfGainsIsFrameByFrameToTheBit)
{
    // Amounts in and beyond [0, 1], in stretches of every length up to eleven, so that both
    // the four-frame steps and the frames after them are compared.
    const std::vector<float> amounts{ 0.0f, 1.0f, 0.5f, 0.25f, 0.7071f, 1.0e-7f, 0.999999f, 0.3333333f, -0.2f, 1.3f, 0.61f };

    for (size_t length = 0; length <= amounts.size(); ++length)
    {
        std::vector<velk::EqualPowerGains> gains (length);
        velk::makeEqualPowerGains (amounts.data(), gains.data(), (int) length);

        for (size_t i = 0; i < length; ++i)
        {
            const velk::EqualPowerGains expected (amounts[i]);
            EXPECT_EQ (gains[i].dry, expected.dry) << amounts[i] << " in " << length;
            EXPECT_EQ (gains[i].wet, expected.wet) << amounts[i] << " in " << length;
        }
    }
}

TEST (ParameterConversionsTest, SwitchIsOnAboveOneHalf)
{
    EXPECT_FALSE (velk::isSwitchOn (0.0f));
    EXPECT_FALSE (velk::isSwitchOn (0.5f));
    EXPECT_TRUE (velk::isSwitchOn (0.5001f));
    EXPECT_TRUE (velk::isSwitchOn (1.0f));
}

TEST (ParameterConversionsTest, IndicesRoundHalvesToEven)
{
    EXPECT_EQ (velk::roundToIndex (0.5f), 0);
    EXPECT_EQ (velk::roundToIndex (1.5f), 2);
    EXPECT_EQ (velk::roundToIndex (2.5f), 2);
    EXPECT_EQ (velk::roundToIndex (-0.5f), 0);
    EXPECT_EQ (velk::roundToIndex (17.4f), 17);
    EXPECT_EQ (velk::roundToIndex (5.94f), 6);
}

TEST (ParameterCreationTest, CreatesTheParameterAndReturnsItsLiveRawValue)
{
    tavelin::test::TestParameterStore parameters;
    auto* raw = velk::addFloatParameter (parameters.store, "Some_Level", "Some Level", { -12.0f, 12.0f, 0.01f, 1.5f },
                                         0.0f, "dB", [] (float v)
                                         { return juce::String (v, 1) + " units"; });
    auto* noText = velk::addFloatParameter (parameters.store, "Some_Switch", "Some Switch", { 0.0f, 1.0f, 1.0f, 1.0f },
                                            1.0f, {}, nullptr);
    parameters.finishCreatingParameters();

    auto* level = parameters.store.getParameter ("Some_Level");
    auto* toggle = parameters.store.getParameter ("Some_Switch");
    ASSERT_NE (level, nullptr);
    ASSERT_NE (toggle, nullptr);

    EXPECT_EQ (raw->load(), 0.0f);
    EXPECT_EQ (noText->load(), 1.0f);
    EXPECT_EQ (level->getName (100), "Some Level");
    EXPECT_EQ (level->getLabel(), "dB");
    EXPECT_EQ (level->getText (level->convertTo0to1 (6.0f), 100), "6.0 units");
    EXPECT_EQ (toggle->getText (0.0f, 100), "0");
    EXPECT_EQ (toggle->getText (1.0f, 100), "1");

    parameters.set ("Some_Level", -3.0f);
    EXPECT_EQ (raw->load(), -3.0f);
}
} // namespace
