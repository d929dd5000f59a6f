#include "processor/CCMapSnapshot.h"
#include "ServicesTestProcessor.h"
#include "processor/CCMapper.h"

#include <gtest/gtest.h>

namespace
{
using tavelin::test::ServicesTestProcessor;

class CCMapSnapshotTest : public testing::Test
{
protected:
    void add (const juce::String& parameterID, const juce::var& controller)
    {
        juce::ValueTree child (parameterID);

        if (!controller.isVoid())
            child.setProperty (velk::CCMapper::ccValueProperty, controller, nullptr);

        midiMap.appendChild (child, nullptr);
    }

    juce::StringArray routesFor (int controller) const
    {
        const velk::CCMapSnapshot snapshot (midiMap, processor.store);
        juce::StringArray ids;

        for (auto* parameter : snapshot.getParametersForController (controller))
            ids.add (parameter->paramID);

        return ids;
    }

    ServicesTestProcessor processor;
    juce::ValueTree midiMap{ velk::CCMapper::midiMapTag };
};

TEST_F (CCMapSnapshotTest, EmptyViewMovesNothing)
{
    const velk::CCMapSnapshot empty;

    EXPECT_TRUE (empty.isEmpty());
    EXPECT_TRUE (empty.getParametersForController (0).isEmpty());
    EXPECT_TRUE (velk::CCMapSnapshot (midiMap, processor.store).isEmpty());
}

TEST_F (CCMapSnapshotTest, OneControllerMovesItsParametersInMapOrder)
{
    add (ServicesTestProcessor::delayTime, 7);
    add (ServicesTestProcessor::lfoWave, 12);
    add (ServicesTestProcessor::pan, 7);

    EXPECT_FALSE (velk::CCMapSnapshot (midiMap, processor.store).isEmpty());
    EXPECT_EQ (routesFor (7), juce::StringArray (ServicesTestProcessor::delayTime, ServicesTestProcessor::pan));
    EXPECT_EQ (routesFor (12), juce::StringArray (ServicesTestProcessor::lfoWave));
    EXPECT_TRUE (routesFor (8).isEmpty());
}

TEST_F (CCMapSnapshotTest, ControllerNumbersReadAsTheFrameworkConvertsThem)
{
    add (ServicesTestProcessor::pan, {});
    add (ServicesTestProcessor::delayTime, "12.7");
    add (ServicesTestProcessor::lfoWave, "abc");
    add (ServicesTestProcessor::lfoRate, 127.9);

    EXPECT_EQ (routesFor (0), juce::StringArray (ServicesTestProcessor::pan, ServicesTestProcessor::lfoWave));
    EXPECT_EQ (routesFor (12), juce::StringArray (ServicesTestProcessor::delayTime));
    EXPECT_EQ (routesFor (127), juce::StringArray (ServicesTestProcessor::lfoRate));
}

TEST_F (CCMapSnapshotTest, ChildrenThatCanNeverApplyAreLeftOut)
{
    add (ServicesTestProcessor::pan, -1);
    add (ServicesTestProcessor::delayTime, 128);
    add ("Not_A_Parameter", 5);
    add ("panner_1_pan", 5);
    add (ServicesTestProcessor::lfoWave, "4294967297");
    add (ServicesTestProcessor::lfoRate, "-2147483648");
    add (ServicesTestProcessor::panDepth, "99999999999999999999");

    EXPECT_TRUE (velk::CCMapSnapshot (midiMap, processor.store).isEmpty());
}

TEST_F (CCMapSnapshotTest, ControllerOutsideTheMidiRangeHasNoParameters)
{
    add (ServicesTestProcessor::pan, 0);

    EXPECT_TRUE (routesFor (-1).isEmpty());
    EXPECT_TRUE (routesFor (128).isEmpty());
}
} // namespace
