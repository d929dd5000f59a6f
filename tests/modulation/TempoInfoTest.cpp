#include "modulation/TempoInfo.h"
#include "ModulationTestRig.h"
#include "modulation/LFOModulator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr auto nan = std::numeric_limits<double>::quiet_NaN();
constexpr auto infinity = std::numeric_limits<double>::infinity();

struct TempoCase
{
    const char* name;
    double hostBpm;
    float expectedBpm; // after 90 bpm was taken
};

const TempoCase tempoCases[] = {
    { "NaN", nan, 90.0f },
    { "PlusInfinity", infinity, 90.0f },
    { "MinusInfinity", -infinity, 90.0f },
    { "Zero", 0.0, 90.0f },
    { "Negative", -120.0, 90.0f },
    { "BeyondTheFloatRange", 1.0e39, 90.0f },
    { "OneTrillion", 1.0e12, 1.0e12f },
    { "BelowOne", 0.25, 1.0f },
    { "Valid", 140.0, 140.0f },
};

class TempoInfoTest : public testing::TestWithParam<TempoCase>
{
};

TEST_P (TempoInfoTest, OnlyAFinitePositiveTempoIsTaken)
{
    velk::TempoInfo tempo;
    tempo.setBpm (90.0);
    tempo.setBpm (GetParam().hostBpm);

    EXPECT_EQ (tempo.bpm, GetParam().expectedBpm);
    EXPECT_EQ (tempo.msPerBar, 60000.0f / GetParam().expectedBpm * 4.0f);
    EXPECT_TRUE (std::isfinite (tempo.msPerBar) && tempo.msPerBar > 0.0f);
}

INSTANTIATE_TEST_SUITE_P (HostTempos, TempoInfoTest, testing::ValuesIn (tempoCases),
                          [] (const testing::TestParamInfo<TempoCase>& testCase)
                          { return std::string (testCase.param.name); });

TEST (TempoInfoFreshTest, WithoutAValidTempoABarLastsAsAt120Bpm)
{
    velk::TempoInfo tempo;

    for (auto hostBpm : { nan, infinity, -infinity, 0.0, -1.0 })
        tempo.setBpm (hostBpm);

    EXPECT_EQ (tempo.bpm, 120.0f);
    EXPECT_EQ (tempo.msPerBar, 2000.0f);
}

//==============================================================================
/** LFO_1 synced to its fastest division (1/128) under the tempo record of the rig. */
class SyncedLFOTempoTest : public testing::Test
{
protected:
    SyncedLFOTempoTest()
        : lfo (rig.add (std::make_unique<velk::LFOModulator> ("LFO_1")))
    {
        rig.finish();
        rig.parameters.set ("LFO_1_Sync", 1.0f);
        rig.parameters.set ("LFO_1_Synced_Rate", 17.0f);
    }

    /** The outputs of one block, which must all lie in 0..1. */
    void expectOutputsInRange()
    {
        for (auto value : rig.runBlock (256, &lfo))
            ASSERT_TRUE (value >= 0.0f && value <= 1.0f) << value;
    }

    tavelin::test::ModulationTestRig rig;
    velk::LFOModulator& lfo;
};

TEST_F (SyncedLFOTempoTest, TempoThatIsNotTakenLeavesTheRateAlone)
{
    expectOutputsInRange();
    const auto incrementAt120 = lfo.getPhaseIncrement();

    for (auto hostBpm : { nan, infinity, -infinity, 0.0, -120.0 })
    {
        rig.tempo.setBpm (hostBpm);
        expectOutputsInRange();
        EXPECT_EQ (lfo.getPhaseIncrement(), incrementAt120) << hostBpm;
    }
}

TEST_F (SyncedLFOTempoTest, TrillionBpmStaysFinite)
{
    rig.tempo.setBpm (1.0e12);

    expectOutputsInRange();
    EXPECT_TRUE (std::isfinite (lfo.getPhaseIncrement()));
}
} // namespace
