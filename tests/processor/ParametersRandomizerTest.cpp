#include "processor/ParametersRandomizer.h"
#include "ParameterEventRecorder.h"
#include "ServicesTestProcessor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using tavelin::test::ParameterEventRecorder;
using tavelin::test::ServicesTestProcessor;
using Group = velk::ParametersRandomizer::Group;

// Seeds whose first draws are up with a fraction of exactly 0.5, and down with 0.5; each test
// that uses them checks the draws first.
constexpr juce::int64 seedUpHalf = 261042947131990;
constexpr juce::int64 seedDownHalf = 207455232382472;

class ParametersRandomizerTest : public testing::Test
{
protected:
    void SetUp() override { fillGroups (randomizer); }

    void fillGroups (velk::ParametersRandomizer& target)
    {
        for (const auto* id : { ServicesTestProcessor::pan, ServicesTestProcessor::delayTime })
            target.addParameterToGroup (Group::effectsGroup, id);

        for (const auto* id : { ServicesTestProcessor::lfoRate, ServicesTestProcessor::lfoWave, ServicesTestProcessor::highRateEnable })
            target.addParameterToGroup (Group::lfoGroup, id);

        for (const auto* id : { ServicesTestProcessor::panDepth, ServicesTestProcessor::timeDepth, ServicesTestProcessor::panScale })
            target.addParameterToGroup (Group::matrixGroup, id);
    }

    int indexOf (const char* parameterID) const
    {
        return processor.store.getParameter (parameterID)->getParameterIndex();
    }

    static void expectFirstDraws (juce::int64 seed, bool up, float fraction)
    {
        juce::Random probe (seed);
        ASSERT_EQ (probe.nextBool(), up);
        ASSERT_EQ (probe.nextFloat(), fraction);
    }

    /** Whether the generator has made exactly numDraws draws since it was seeded with seed. */
    static bool hasDrawn (juce::Random& random, juce::int64 seed, int numDraws)
    {
        juce::Random twin (seed);

        for (int i = 0; i < numDraws; ++i)
            twin.nextInt();

        return random.nextInt() == twin.nextInt();
    }

    ServicesTestProcessor processor;
    velk::ParametersRandomizer randomizer{ processor.store, false };
};

//==============================================================================
TEST_F (ParametersRandomizerTest, GroupsKeepTheirOrderAndIgnoreUnknownGroups)
{
    randomizer.addParameterToGroup (3, ServicesTestProcessor::pan);
    randomizer.addParameterToGroup (-1, ServicesTestProcessor::pan);

    EXPECT_EQ (randomizer.getParameterGroup (Group::lfoGroup),
               juce::StringArray (ServicesTestProcessor::lfoRate, ServicesTestProcessor::lfoWave, ServicesTestProcessor::highRateEnable));
    EXPECT_TRUE (randomizer.getParameterGroup (3).isEmpty());
}

TEST_F (ParametersRandomizerTest, WorkedExampleMovesPanUpToSixtyTwoPointFive)
{
    expectFirstDraws (seedUpHalf, true, 0.5f);
    randomizer.random.setSeed (seedUpHalf);

    randomizer.randomizeParametersByAmount (Group::effectsGroup, 0.5f);

    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::pan), 62.5f);
}

TEST_F (ParametersRandomizerTest, WorkedExampleMovesPanDownToThirtySevenPointFive)
{
    expectFirstDraws (seedDownHalf, false, 0.5f);
    randomizer.random.setSeed (seedDownHalf);

    randomizer.randomizeParametersByAmount (Group::effectsGroup, 0.5f);

    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::pan), 37.5f);
}

TEST_F (ParametersRandomizerTest, DistanceIsMeasuredInTheParametersOwnUnits)
{
    // The rate's range is skewed: half the distance in hertz is not half the knob travel.
    processor.setPlainValue (ServicesTestProcessor::lfoRate, 2.0f);
    expectFirstDraws (seedUpHalf, true, 0.5f);
    randomizer.random.setSeed (seedUpHalf);

    randomizer.randomizeParametersByAmount (Group::lfoGroup, 1.0f);

    EXPECT_NEAR (processor.getPlainValue (ServicesTestProcessor::lfoRate), 2.0f + 0.5f * (20.0f - 2.0f), 1.0e-4f);
}

TEST_F (ParametersRandomizerTest, AmountZeroChangesNothingYetDrawsAndNotifiesEveryParameter)
{
    processor.setPlainValue (ServicesTestProcessor::pan, 33.33f);
    processor.setPlainValue (ServicesTestProcessor::delayTime, 777.77f);
    const auto pan = processor.getPlainValue (ServicesTestProcessor::pan);
    const auto time = processor.getPlainValue (ServicesTestProcessor::delayTime);
    ParameterEventRecorder recorder (processor);
    randomizer.random.setSeed (1234);

    randomizer.randomizeParametersByAmount (Group::effectsGroup, 0.0f);

    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::pan), pan);
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::delayTime), time);
    using Kind = ParameterEventRecorder::Kind;
    const auto panIndex = indexOf (ServicesTestProcessor::pan);
    const auto timeIndex = indexOf (ServicesTestProcessor::delayTime);
    EXPECT_EQ (recorder.events, (std::vector<ParameterEventRecorder::Event>{
                                    { Kind::gestureBegin, panIndex },
                                    { Kind::changed, panIndex },
                                    { Kind::gestureEnd, panIndex },
                                    { Kind::gestureBegin, timeIndex },
                                    { Kind::changed, timeIndex },
                                    { Kind::gestureEnd, timeIndex } }));
    EXPECT_TRUE (hasDrawn (randomizer.random, 1234, 4));
}

TEST_F (ParametersRandomizerTest, ParameterAtARangeEndStaysWhenDrawnTowardsIt)
{
    processor.setPlainValue (ServicesTestProcessor::pan, 100.0f);
    randomizer.random.setSeed (seedUpHalf);
    randomizer.randomizeParametersByAmount (Group::effectsGroup, 1.0f);
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::pan), 100.0f);

    processor.setPlainValue (ServicesTestProcessor::pan, 0.0f);
    randomizer.random.setSeed (seedDownHalf);
    randomizer.randomizeParametersByAmount (Group::effectsGroup, 1.0f);
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::pan), 0.0f);
}

TEST_F (ParametersRandomizerTest, ValuesStayInRangeAndSteppedParametersLandOnSteps)
{
    randomizer.random.setSeed (42);

    for (int round = 0; round < 200; ++round)
    {
        randomizer.randomizeParametersByAmount (Group::effectsGroup, 1.0f);
        randomizer.randomizeParametersByAmount (Group::lfoGroup, 1.0f);
        randomizer.randomizeParametersByAmount (Group::matrixGroup, 1.0f);

        for (const auto& id : ServicesTestProcessor::parameterIDs)
        {
            const auto& range = processor.store.getParameter (id)->getNormalisableRange();
            const auto value = processor.getPlainValue (id);
            ASSERT_GE (value, range.start) << id;
            ASSERT_LE (value, range.end) << id;
        }

        for (const auto* id : { ServicesTestProcessor::lfoWave, ServicesTestProcessor::highRateEnable })
        {
            const auto value = processor.getPlainValue (id);
            ASSERT_EQ (value, std::round (value)) << id;
        }
    }
}

//==============================================================================
TEST_F (ParametersRandomizerTest, MatrixAtDefaultsIsLeftAloneWithoutDrawsOrNotifications)
{
    ParameterEventRecorder recorder (processor);
    randomizer.random.setSeed (99);

    randomizer.randomizeParametersByAmountIfNotAtDefaultSetting (Group::matrixGroup, 1.0f);

    EXPECT_TRUE (recorder.events.empty());
    EXPECT_TRUE (hasDrawn (randomizer.random, 99, 0));
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::panDepth), 0.0f);
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::panScale), 100.0f);
}

TEST_F (ParametersRandomizerTest, MatrixCellsInUseAreRandomizedAndTheRestSkipped)
{
    processor.setPlainValue (ServicesTestProcessor::panDepth, 40.0f);
    ParameterEventRecorder recorder (processor);
    expectFirstDraws (seedUpHalf, true, 0.5f);
    randomizer.random.setSeed (seedUpHalf);

    randomizer.randomizeParametersByAmountIfNotAtDefaultSetting (Group::matrixGroup, 1.0f);

    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::panDepth), 70.0f);
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::timeDepth), 0.0f);
    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::panScale), 100.0f);
    ASSERT_EQ (recorder.events.size(), 3u);
    for (const auto& event : recorder.events)
        EXPECT_EQ (event.parameterIndex, indexOf (ServicesTestProcessor::panDepth));
    EXPECT_TRUE (hasDrawn (randomizer.random, seedUpHalf, 2));
}

TEST_F (ParametersRandomizerTest, BipolarCellMovesDownTowardItsRangeStart)
{
    // 40 % lies 140 above the range's start at -100; half of that distance down is -30 %.
    processor.setPlainValue (ServicesTestProcessor::panDepth, 40.0f);
    expectFirstDraws (seedDownHalf, false, 0.5f);
    randomizer.random.setSeed (seedDownHalf);

    randomizer.randomizeParametersByAmountIfNotAtDefaultSetting (Group::matrixGroup, 1.0f);

    EXPECT_EQ (processor.getPlainValue (ServicesTestProcessor::panDepth), -30.0f);
}

//==============================================================================
TEST_F (ParametersRandomizerTest, AbletonLiveGetsTheSameValuesWithoutGestures)
{
    ServicesTestProcessor liveProcessor;
    velk::ParametersRandomizer liveRandomizer{ liveProcessor.store, true };
    fillGroups (liveRandomizer);
    ParameterEventRecorder liveRecorder (liveProcessor);
    liveRandomizer.random.setSeed (7);
    randomizer.random.setSeed (7);

    liveRandomizer.randomizeParametersByAmount (Group::lfoGroup, 0.8f);
    randomizer.randomizeParametersByAmount (Group::lfoGroup, 0.8f);

    for (const auto& id : ServicesTestProcessor::parameterIDs)
        EXPECT_EQ (liveProcessor.getPlainValue (id), processor.getPlainValue (id)) << id;

    ASSERT_EQ (liveRecorder.events.size(), 3u);
    for (const auto& event : liveRecorder.events)
        EXPECT_EQ (event.kind, ParameterEventRecorder::Kind::changed);
}
} // namespace
