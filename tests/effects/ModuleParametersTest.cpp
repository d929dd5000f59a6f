#include "effects/GainerModule.h"
#include "effects/PannerModule.h"
#include "effects/PitchShifterModule.h"
#include "effects/SVFSingleOutModule.h"
#include "effects/SimpleDelayModule.h"

#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
struct ExpectedParameter
{
    const char* identifier;
    const char* name;
    const char* label;
    float start, end, interval, skew, defaultValue;
    const char* defaultText;
};

/** Registers every module of one chain plus the filter, as the processor does, and checks each
    parameter against the table it was designed from, in host order.
*/
class ModuleParametersTest : public testing::Test
{
protected:
    void SetUp() override
    {
        velk::PitchShifterModule pitch ("Pitch_Shifter_1", 2);
        velk::SimpleDelayModule delay ("Delay_1", 2);
        velk::GainerModule gainer ("Gainer_1", 2);
        velk::PannerModule panner ("Panner_1", 2);
        velk::SVFSingleOutModule filter ("Filter", 2);

        for (velk::AudioEffectModule* module : { (velk::AudioEffectModule*) &pitch, (velk::AudioEffectModule*) &delay,
                                                 (velk::AudioEffectModule*) &gainer, (velk::AudioEffectModule*) &panner,
                                                 (velk::AudioEffectModule*) &filter })
            module->registerParameters (parameters.store);

        parameters.finishCreatingParameters();
    }

    tavelin::test::TestParameterStore parameters;
};

TEST_F (ModuleParametersTest, EveryModuleCreatesItsParametersAsDesigned)
{
    const ExpectedParameter expected[] = {
        { "Pitch_Shifter_1_Pitch", "Pitch_Shifter_1 Pitch", "Semi", -24, 24, 1, 1, 0, "0 Semi" },
        { "Pitch_Shifter_1_Size", "Pitch_Shifter_1 Size", "Ms", 10, 200, 1, 0.5f, 30, "30 Ms" },
        { "Pitch_Shifter_1_Feedback", "Pitch_Shifter_1 Feed", "%", 0, 100, 0.01f, 1, 0, "0.00 %" },
        { "Pitch_Shifter_1_Mix", "Pitch_Shifter_1 Mix", "%", 0, 100, 0.01f, 1, 100, "100.00 %" },
        { "Delay_1_Time", "Delay_1 Time", "Ms", 1, 1000, 1, 0.5f, 120, "120 Ms" },
        { "Delay_1_Sync", "Delay_1 Sync", "", 0, 1, 1, 1, 0, "0" },
        { "Delay_1_Synced_Time", "Delay_1 Synced Time", "", 0, 17, 1, 1, 9, "1/8" },
        { "Delay_1_Feed", "Delay_1 Feed", "%", 0, 100, 0.01f, 1, 0, "0.00 %" },
        { "Delay_1_Mix", "Delay_1 Mix", "%", 0, 100, 0.01f, 1, 0, "0.00 %" },
        { "Delay_1_PingPong", "Delay_1 Ping Pong", "", 0, 1, 1, 1, 0, "0" },
        { "Gainer_1_Gain", "Gainer_1 Gain", "dB", -70, 0, 0.01f, 1.5f, -6, "-6.00 dB" },
        { "Panner_1_Pan", "Panner_1 Pan", "%", 0, 100, 0.01f, 1, 50, "50.00 %" },
        { "Filter_Mode", "Filter Mode", "", 0, 3, 1, 1, 0, "LPF" },
        { "Filter_Cut", "Filter Cut", "Hz", 80, 18000, 1, 0.5f, 11000, "11000 Hz" },
        { "Filter_Res", "Filter Res", "%", 0, 100, 0.01f, 1, 0, "0.00 %" },
    };

    const auto& all = parameters.processor.getParameters();
    ASSERT_EQ (all.size(), (int) std::size (expected));

    for (int i = 0; i < all.size(); ++i)
    {
        const auto& e = expected[i];
        auto* parameter = dynamic_cast<juce::RangedAudioParameter*> (all[i]);
        ASSERT_NE (parameter, nullptr);
        SCOPED_TRACE (e.identifier);

        EXPECT_EQ (parameter->getParameterID(), e.identifier);
        EXPECT_EQ (parameter->getName (100), e.name);
        EXPECT_EQ (parameter->getLabel(), e.label);

        const auto& range = parameter->getNormalisableRange();
        EXPECT_EQ (range.start, e.start);
        EXPECT_EQ (range.end, e.end);
        EXPECT_EQ (range.interval, e.interval);
        EXPECT_EQ (range.skew, e.skew);
        EXPECT_FALSE (range.symmetricSkew);

        EXPECT_EQ (parameter->convertFrom0to1 (parameter->getDefaultValue()), e.defaultValue);
        EXPECT_EQ (parameter->getCurrentValueAsText(), e.defaultText);
        EXPECT_TRUE (parameter->isAutomatable());
        EXPECT_FALSE (parameter->isMetaParameter());
        EXPECT_FALSE (parameter->isDiscrete());
        EXPECT_FALSE (parameter->isBoolean());
    }
}

TEST_F (ModuleParametersTest, TextsShowTheValueInTheParametersOwnUnit)
{
    const auto textOf = [this] (const char* identifier, float value)
    {
        auto* parameter = parameters.store.getParameter (identifier);
        return parameter->getText (parameter->convertTo0to1 (value), 100);
    };

    EXPECT_EQ (textOf ("Gainer_1_Gain", -70.0f), "-INF dB");
    EXPECT_EQ (textOf ("Gainer_1_Gain", 0.0f), "+0.00 dB");
    EXPECT_EQ (textOf ("Pitch_Shifter_1_Pitch", -12.0f), "-12 Semi");
    EXPECT_EQ (textOf ("Delay_1_Synced_Time", 3.0f), "1 BAR");
    EXPECT_EQ (textOf ("Filter_Mode", 3.0f), "NOTCH");
    EXPECT_EQ (textOf ("Filter_Cut", 80.0f), "80 Hz");
}
} // namespace
