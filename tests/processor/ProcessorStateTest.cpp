#include "ProcessorTestRig.h"

namespace velk::test
{
namespace
{
    juce::MemoryBlock chunkOf (TavelinAudioProcessor& processor)
    {
        juce::MemoryBlock chunk;
        processor.getStateInformation (chunk);
        return chunk;
    }

    juce::String textOf (const juce::MemoryBlock& chunk)
    {
        return juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8, (int) chunk.getSize() - 9);
    }

    juce::MemoryBlock chunkWithText (const juce::String& text)
    {
        juce::MemoryBlock chunk;
        juce::MemoryOutputStream out (chunk, false);
        out.writeInt (0x21324356);
        out.writeInt ((int) text.getNumBytesAsUTF8());
        out.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
        out.writeByte (0);
        return chunk;
    }

    void restore (TavelinAudioProcessor& processor, const juce::MemoryBlock& chunk)
    {
        processor.setStateInformation (chunk.getData(), (int) chunk.getSize());
    }

    void mapController (TavelinAudioProcessor& processor, const juce::String& parameterId, int controller)
    {
        processor.ccMapper.assignController (parameterId, controller);
    }
} // namespace

class ProcessorState : public ::testing::Test
{
protected:
    /** The full picture a restore must leave unchanged or reproduce. */
    struct Snapshot
    {
        std::vector<float> values;
        juce::String map;
        juce::String presetName;

        bool operator== (const Snapshot& other) const
        {
            return values == other.values && map == other.map && presetName == other.presetName;
        }
    };

    static Snapshot snapshotOf (const TavelinAudioProcessor& processor)
    {
        Snapshot snapshot;

        for (auto* parameter : processor.getParameters())
            snapshot.values.push_back (parameter->getValue());

        snapshot.map = processor.ccMapper.getMap().toXmlString();
        snapshot.presetName = processor.getCurrentPreset().getName();
        return snapshot;
    }

    void changeEverything (ProcessorRig& target)
    {
        target.set ("Delay_2_Time", 333.0f);
        target.set ("Dry_Wet", 42.5f);
        target.set ("Matrix_LFO_3_to_Filter_Cut", -37.25f);
        target.set ("Chain_Bypass_1", 0.0f);
        mapController (*target.processor, "Delay_1_Time", 12);
        mapController (*target.processor, "Panner_2_Pan", 7);
        target.processor->getCurrentPreset().setName ("My Preset");
    }

    ProcessorRig source;
    ProcessorRig destination;
};

//==============================================================================
TEST_F (ProcessorState, ChunkHasMagicLengthAndTerminatingZero)
{
    const auto chunk = chunkOf (*source.processor);
    const auto* bytes = static_cast<const juce::uint8*> (chunk.getData());

    ASSERT_GT (chunk.getSize(), 9u);
    EXPECT_EQ (bytes[0], 0x56);
    EXPECT_EQ (bytes[1], 0x43);
    EXPECT_EQ (bytes[2], 0x32);
    EXPECT_EQ (bytes[3], 0x21);
    EXPECT_EQ (juce::ByteOrder::littleEndianInt (bytes + 4), chunk.getSize() - 9);
    EXPECT_EQ (bytes[chunk.getSize() - 1], 0);
}

TEST_F (ProcessorState, FreshChunkHoldsParametersEmptyMapAndInitName)
{
    const auto text = textOf (chunkOf (*source.processor));

    EXPECT_TRUE (text.startsWith ("<Tavelin>") || text.startsWith ("<Tavelin "));
    EXPECT_FALSE (text.contains ("<?xml"));
    EXPECT_FALSE (text.containsChar ('\n'));
    EXPECT_TRUE (text.endsWith ("<Tavelin_MIDI_MAP/><Preset_Metadata Preset_Name=\"INIT\"/></Tavelin>"));

    const auto xml = juce::parseXML (text);
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getNumChildElements(), 333 + 2);
}

TEST_F (ProcessorState, RoundTripRestoresParametersMapAndPresetName)
{
    changeEverything (source);
    restore (*destination.processor, chunkOf (*source.processor));

    EXPECT_EQ (snapshotOf (*destination.processor), snapshotOf (*source.processor));
    EXPECT_EQ (destination.get ("Delay_2_Time"), 333.0f);
    EXPECT_EQ (destination.processor->ccMapper.getMap().getChild (1).getType().toString(), "Panner_2_Pan");
    EXPECT_EQ ((int) destination.processor->ccMapper.getMap().getChild (1)[CCMapper::ccValueProperty], 7);
    EXPECT_EQ (destination.processor->getCurrentPreset().getName(), "My Preset");
}

TEST_F (ProcessorState, RestoredParameterTreeHoldsNeitherMapNorMetadata)
{
    changeEverything (source);
    restore (*destination.processor, chunkOf (*source.processor));

    const auto state = destination.processor->copyState();
    EXPECT_FALSE (state.getChildWithName ("Tavelin_MIDI_MAP").isValid());
    EXPECT_FALSE (state.getChildWithName ("Preset_Metadata").isValid());
    EXPECT_EQ (state.getNumChildren(), 333);
}

TEST_F (ProcessorState, RestoredMapDrivesTheAudioThread)
{
    changeEverything (source);
    restore (*destination.processor, chunkOf (*source.processor));

    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 12, 127), 0);
    destination.process (silence (32), 32, midi);

    EXPECT_EQ (destination.get ("Delay_1_Time"), 1000.0f);
}

TEST_F (ProcessorState, RestoreLeavesThePresetFilePathAlone)
{
    destination.processor->getCurrentPreset().setFile (juce::File ("/somewhere/User_Default.vtp"));
    changeEverything (source);
    restore (*destination.processor, chunkOf (*source.processor));

    EXPECT_EQ (destination.processor->getCurrentPreset().getFilePath(), "/somewhere/User_Default.vtp");
}

//==============================================================================
TEST_F (ProcessorState, UnreadableChunksChangeNothing)
{
    changeEverything (destination);
    const auto before = snapshotOf (*destination.processor);
    const auto good = chunkOf (*source.processor);

    auto eightBytes = good;
    eightBytes.setSize (8);

    auto bigEndian = good;
    auto* bytes = static_cast<juce::uint8*> (bigEndian.getData());
    std::reverse (bytes, bytes + 4);

    auto zeroLength = good;
    std::fill_n (static_cast<juce::uint8*> (zeroLength.getData()) + 4, 4, juce::uint8 (0));

    auto truncated = good;
    truncated.setSize (good.getSize() / 2);

    for (const auto* chunk : { &eightBytes, &bigEndian, &zeroLength, &truncated })
    {
        restore (*destination.processor, *chunk);
        EXPECT_TRUE (snapshotOf (*destination.processor) == before);
    }

    destination.processor->setStateInformation (nullptr, 0);
    EXPECT_TRUE (snapshotOf (*destination.processor) == before);
}

TEST_F (ProcessorState, MetadataWithoutNameEmptiesThePresetName)
{
    destination.processor->getCurrentPreset().setName ("Kept?");
    restore (*destination.processor, chunkWithText ("<Tavelin><Preset_Metadata/></Tavelin>"));

    EXPECT_EQ (destination.processor->getCurrentPreset().getName(), "");
}

TEST_F (ProcessorState, ChunkWithoutMapOrMetadataKeepsTheCurrentOnes)
{
    changeEverything (destination);
    restore (*destination.processor, chunkWithText ("<Tavelin><PARAM id=\"Dry_Wet\" value=\"20\"/></Tavelin>"));

    EXPECT_EQ (destination.processor->ccMapper.getMap().getNumChildren(), 2);
    EXPECT_EQ (destination.processor->getCurrentPreset().getName(), "My Preset");
    EXPECT_EQ (destination.get ("Dry_Wet"), 20.0f);
}

TEST_F (ProcessorState, ParameterMissingFromTheChunkTakesItsDefault)
{
    changeEverything (destination);
    restore (*destination.processor, chunkWithText ("<Tavelin><PARAM id=\"Dry_Wet\" value=\"20\"/></Tavelin>"));

    EXPECT_EQ (destination.get ("Delay_2_Time"), 120.0f);
    EXPECT_EQ (destination.get ("Chain_Bypass_1"), 0.0f);
}

TEST_F (ProcessorState, MapTagInOtherLetterCaseIsStillTheMap)
{
    restore (*destination.processor, chunkWithText ("<Tavelin><tavelin_midi_map><Dry_Wet cc=\"3\"/></tavelin_midi_map></Tavelin>"));

    ASSERT_EQ (destination.processor->ccMapper.getMap().getNumChildren(), 1);
    EXPECT_EQ (destination.processor->ccMapper.getMap().getChild (0).getType().toString(), "Dry_Wet");
}

TEST_F (ProcessorState, SecondMapElementStaysInTheParameterTree)
{
    restore (*destination.processor, chunkWithText ("<Tavelin><Tavelin_MIDI_MAP><Dry_Wet cc=\"3\"/></Tavelin_MIDI_MAP>"
                                                    "<Tavelin_MIDI_MAP><Global_Gain cc=\"4\"/></Tavelin_MIDI_MAP></Tavelin>"));

    ASSERT_EQ (destination.processor->ccMapper.getMap().getNumChildren(), 1);
    EXPECT_EQ (destination.processor->ccMapper.getMap().getChild (0).getType().toString(), "Dry_Wet");
    EXPECT_TRUE (destination.processor->copyState().getChildWithName ("Tavelin_MIDI_MAP").isValid());
}

TEST_F (ProcessorState, NonNumericValueFallsBackToTheDefault)
{
    restore (*destination.processor, chunkWithText ("<Tavelin><PARAM id=\"Dry_Wet\" value=\"nan\"/></Tavelin>"));

    EXPECT_EQ (destination.get ("Dry_Wet"), 100.0f);
}

//==============================================================================
TEST_F (ProcessorState, OneUnnamedProgramWhateverHappens)
{
    auto& processor = *source.processor;
    processor.setCurrentProgram (3);
    processor.changeProgramName (0, "Renamed");

    EXPECT_EQ (processor.getNumPrograms(), 1);
    EXPECT_EQ (processor.getCurrentProgram(), 0);
    EXPECT_EQ (processor.getProgramName (0), "");
    EXPECT_EQ (processor.getProgramName (5), "");
}
} // namespace velk::test
