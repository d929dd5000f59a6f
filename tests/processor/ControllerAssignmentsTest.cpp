#include "processor/ControllerAssignments.h"

#include <gtest/gtest.h>

namespace velk
{
namespace
{
    /** The least processor a parameter store can live in, with three plain parameters. */
    class StoreHolder : public juce::AudioProcessor
    {
    public:
        StoreHolder()
            : store (*this, nullptr, "Test", makeLayout())
        {
        }

        const juce::String getName() const override { return "Test"; }
        void prepareToPlay (double, int) override {}
        void releaseResources() override {}
        void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
        using juce::AudioProcessor::processBlock;
        double getTailLengthSeconds() const override { return 0.0; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        bool hasEditor() const override { return false; }
        int getNumPrograms() override { return 1; }
        int getCurrentProgram() override { return 0; }
        void setCurrentProgram (int) override {}
        const juce::String getProgramName (int) override { return {}; }
        void changeProgramName (int, const juce::String&) override {}
        void getStateInformation (juce::MemoryBlock&) override {}
        void setStateInformation (const void*, int) override {}

        float valueOf (const juce::String& id) { return store.getParameter (id)->getValue(); }

        juce::AudioProcessorValueTreeState store;

    private:
        static juce::AudioProcessorValueTreeState::ParameterLayout makeLayout()
        {
            juce::AudioProcessorValueTreeState::ParameterLayout layout;

            for (auto id : { "A", "B", "C" })
                layout.add (std::make_unique<juce::AudioParameterFloat> (id, id, juce::NormalisableRange<float> (0.0f, 1.0f), 0.25f));

            return layout;
        }
    };

    const juce::Identifier cc ("cc");

    juce::ValueTree mapOf (std::initializer_list<std::pair<const char*, juce::var>> children)
    {
        juce::ValueTree map ("Tavelin_MIDI_MAP");

        for (const auto& [id, controller] : children)
        {
            juce::ValueTree child (id);

            if (!controller.isVoid())
                child.setProperty (cc, controller, nullptr);

            map.appendChild (child, nullptr);
        }

        return map;
    }

    MidiBlockSummary blockWith (std::initializer_list<std::pair<int, int>> controllerValues)
    {
        juce::MidiBuffer midi;

        for (const auto& [controller, value] : controllerValues)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, controller, value), 0);

        MidiBlockSummary summary;
        summary.read (midi);
        return summary;
    }

    /** Records the order in which parameters are told of new values. */
    struct ChangeOrder : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int index, float) override { indices.push_back (index); }
        void parameterGestureChanged (int, bool) override {}

        std::vector<int> indices;
    };
} // namespace

class ControllerAssignmentsTest : public ::testing::Test
{
protected:
    StoreHolder holder;
};

TEST_F (ControllerAssignmentsTest, ControllerValueSetsTheMappedParameterNormalised)
{
    const ControllerAssignments assignments (mapOf ({ { "B", 7 } }), cc, holder.store);

    assignments.apply (blockWith ({ { 7, 127 } }));
    EXPECT_EQ (holder.valueOf ("B"), 1.0f);

    assignments.apply (blockWith ({ { 7, 0 } }));
    EXPECT_EQ (holder.valueOf ("B"), 0.0f);

    assignments.apply (blockWith ({ { 7, 64 } }));
    EXPECT_FLOAT_EQ (holder.valueOf ("B"), 64.0f / 127.0f);
    EXPECT_EQ (holder.valueOf ("A"), 0.25f);
}

TEST_F (ControllerAssignmentsTest, TwoChildrenOnOneControllerBothMove)
{
    const ControllerAssignments assignments (mapOf ({ { "A", 7 }, { "C", 7 } }), cc, holder.store);
    assignments.apply (blockWith ({ { 7, 127 } }));

    EXPECT_EQ (holder.valueOf ("A"), 1.0f);
    EXPECT_EQ (holder.valueOf ("C"), 1.0f);
}

TEST_F (ControllerAssignmentsTest, NegativeControllerIsNeverApplied)
{
    const ControllerAssignments assignments (mapOf ({ { "A", -1 }, { "B", 128 } }), cc, holder.store);

    EXPECT_TRUE (assignments.isEmpty());
}

TEST_F (ControllerAssignmentsTest, MissingControllerReadsAsZero)
{
    const ControllerAssignments assignments (mapOf ({ { "A", juce::var() } }), cc, holder.store);
    assignments.apply (blockWith ({ { 0, 127 } }));

    EXPECT_EQ (holder.valueOf ("A"), 1.0f);
}

TEST_F (ControllerAssignmentsTest, ControllerAsTextWithFractionCountsItsIntegerPart)
{
    const ControllerAssignments assignments (mapOf ({ { "A", "12.7" } }), cc, holder.store);
    assignments.apply (blockWith ({ { 12, 127 } }));

    EXPECT_EQ (holder.valueOf ("A"), 1.0f);
}

TEST_F (ControllerAssignmentsTest, ChildNamingNoParameterIsSkipped)
{
    const ControllerAssignments assignments (mapOf ({ { "Nothing", 7 }, { "a", 7 }, { "B", 7 } }), cc, holder.store);

    EXPECT_EQ (assignments.size(), 1) << "identifiers compare with case";
}

TEST_F (ControllerAssignmentsTest, ControllersApplyInAscendingOrderNotEventOrder)
{
    const ControllerAssignments assignments (mapOf ({ { "A", 9 }, { "B", 3 }, { "C", 5 } }), cc, holder.store);
    ChangeOrder order;

    for (auto* parameter : holder.getParameters())
        parameter->addListener (&order);

    assignments.apply (blockWith ({ { 9, 10 }, { 5, 10 }, { 3, 10 } }));

    EXPECT_EQ (order.indices, (std::vector<int>{ 1, 2, 0 }));

    for (auto* parameter : holder.getParameters())
        parameter->removeListener (&order);
}

TEST_F (ControllerAssignmentsTest, WithinOneControllerMapOrderIsKept)
{
    const ControllerAssignments assignments (mapOf ({ { "C", 4 }, { "A", 4 } }), cc, holder.store);
    ChangeOrder order;

    for (auto* parameter : holder.getParameters())
        parameter->addListener (&order);

    assignments.apply (blockWith ({ { 4, 20 } }));

    EXPECT_EQ (order.indices, (std::vector<int>{ 2, 0 }));

    for (auto* parameter : holder.getParameters())
        parameter->removeListener (&order);
}

TEST_F (ControllerAssignmentsTest, ControllerThatDidNotArriveLeavesItsParameter)
{
    const ControllerAssignments assignments (mapOf ({ { "A", 1 }, { "B", 2 } }), cc, holder.store);
    assignments.apply (blockWith ({ { 2, 127 } }));

    EXPECT_EQ (holder.valueOf ("A"), 0.25f);
    EXPECT_EQ (holder.valueOf ("B"), 1.0f);
}
} // namespace velk
