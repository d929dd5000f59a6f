#include "processor/MidiBlockSummary.h"

#include <gtest/gtest.h>

namespace velk
{
namespace
{
    MidiBlockSummary summarise (const juce::MidiBuffer& midi)
    {
        MidiBlockSummary summary;
        summary.read (midi);
        return summary;
    }
} // namespace

TEST (MidiBlockSummaryTest, EmptyBlockHasNoProgramAndNoController)
{
    const auto summary = summarise ({});

    EXPECT_EQ (summary.program, MidiBlockSummary::none);
    EXPECT_EQ (summary.lastController, MidiBlockSummary::none);
    EXPECT_FALSE (summary.anyController);

    for (auto value : summary.controllerValues)
        EXPECT_EQ (value, MidiBlockSummary::none);
}

TEST (MidiBlockSummaryTest, LastProgramChangeOnAnyChannelWins)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::programChange (1, 4), 0);
    midi.addEvent (juce::MidiMessage::programChange (16, 9), 10);

    EXPECT_EQ (summarise (midi).program, 9);
}

TEST (MidiBlockSummaryTest, LastValueOfEachControllerIsKept)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, 10), 0);
    midi.addEvent (juce::MidiMessage::controllerEvent (3, 7, 127), 5);
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 2, 0), 6);

    const auto summary = summarise (midi);

    EXPECT_EQ (summary.controllerValues[7], 127);
    EXPECT_EQ (summary.controllerValues[2], 0);
    EXPECT_EQ (summary.controllerValues[3], MidiBlockSummary::none);
    EXPECT_EQ (summary.lastController, 2);
    EXPECT_TRUE (summary.anyController);
}

TEST (MidiBlockSummaryTest, AllNotesOffIsNeitherAppliedNorRemembered)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 5, 64), 0);
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 123, 0), 1);

    const auto summary = summarise (midi);

    EXPECT_EQ (summary.controllerValues[123], MidiBlockSummary::none);
    EXPECT_EQ (summary.lastController, 5);
}

TEST (MidiBlockSummaryTest, OnlyAllNotesOffMeansNoController)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::allNotesOff (1), 0);

    EXPECT_FALSE (summarise (midi).anyController);
}

TEST (MidiBlockSummaryTest, NotesAndPitchBendAreIgnored)
{
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 0);
    midi.addEvent (juce::MidiMessage::pitchWheel (1, 9000), 1);

    const auto summary = summarise (midi);

    EXPECT_EQ (summary.program, MidiBlockSummary::none);
    EXPECT_FALSE (summary.anyController);
}

TEST (MidiBlockSummaryTest, MalformedDataByteIsHeldAtTheTopOfTheRange)
{
    const juce::uint8 bytes[] = { 0xb0, 0x07, 0xff };
    juce::MidiBuffer midi;
    midi.addEvent (bytes, 3, 0);

    EXPECT_EQ (summarise (midi).controllerValues[7], 127);
}

TEST (MidiBlockSummaryTest, ReadingAgainForgetsThePreviousBlock)
{
    juce::MidiBuffer first;
    first.addEvent (juce::MidiMessage::controllerEvent (1, 7, 10), 0);
    first.addEvent (juce::MidiMessage::programChange (1, 3), 0);

    MidiBlockSummary summary;
    summary.read (first);
    summary.read (juce::MidiBuffer());

    EXPECT_EQ (summary.controllerValues[7], MidiBlockSummary::none);
    EXPECT_EQ (summary.program, MidiBlockSummary::none);
}
} // namespace velk
