#include "effects/GainerModule.h"
#include "effects/PannerModule.h"
#include "effects/PitchShifterModule.h"
#include "effects/SVFSingleOutModule.h"
#include "effects/SimpleDelayModule.h"

#include "support/ExpectedParameter.h"
#include "support/TestAudioProcessor.h"

#include <gtest/gtest.h>

namespace
{
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
    const tavelin::test::ExpectedParameter expected[] = {
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
    tavelin::test::expectParametersMatch (all, expected);
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
