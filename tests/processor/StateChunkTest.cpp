#include "processor/StateChunk.h"

#include <gtest/gtest.h>

namespace velk
{
namespace
{
    juce::XmlElement sampleState()
    {
        juce::XmlElement root ("Tavelin");
        root.setAttribute ("a", "b");
        root.createNewChildElement ("PARAM")->setAttribute ("id", "X");
        return root;
    }

    juce::MemoryBlock chunkOf (const juce::XmlElement& xml)
    {
        juce::MemoryBlock chunk;
        StateChunk::write (xml, chunk);
        return chunk;
    }

    juce::uint32 lengthField (const juce::MemoryBlock& chunk)
    {
        return juce::ByteOrder::littleEndianInt (static_cast<const char*> (chunk.getData()) + 4);
    }
} // namespace

//==============================================================================
TEST (StateChunkLayout, StartsWithLittleEndianMagicAndTextLength)
{
    const auto chunk = chunkOf (sampleState());
    const auto* bytes = static_cast<const juce::uint8*> (chunk.getData());

    EXPECT_EQ (bytes[0], 0x56);
    EXPECT_EQ (bytes[1], 0x43);
    EXPECT_EQ (bytes[2], 0x32);
    EXPECT_EQ (bytes[3], 0x21);
    EXPECT_EQ (lengthField (chunk), chunk.getSize() - 9);
    EXPECT_EQ (bytes[chunk.getSize() - 1], 0);
}

TEST (StateChunkLayout, TextIsOneLineWithoutDeclaration)
{
    const auto chunk = chunkOf (sampleState());
    const auto text = juce::String::fromUTF8 (static_cast<const char*> (chunk.getData()) + 8, (int) lengthField (chunk));

    EXPECT_EQ (text, "<Tavelin a=\"b\"><PARAM id=\"X\"/></Tavelin>");
}

TEST (StateChunkLayout, ReplacesRatherThanAppends)
{
    juce::MemoryBlock chunk ("leftover bytes", 14);
    StateChunk::write (sampleState(), chunk);

    EXPECT_EQ (chunk.getSize(), 9u + 40u);
    EXPECT_EQ (lengthField (chunk), 40u);
}

TEST (StateChunkLayout, NonAsciiTextCountsBytes)
{
    juce::XmlElement root ("Tavelin");
    root.setAttribute ("name", juce::String (juce::CharPointer_UTF8 ("\xc3\xa9t\xc3\xa9")));
    const auto chunk = chunkOf (root);

    EXPECT_EQ (lengthField (chunk), chunk.getSize() - 9);
    auto xml = StateChunk::read (chunk.getData(), (int) chunk.getSize());
    ASSERT_NE (xml, nullptr);
    EXPECT_EQ (xml->getStringAttribute ("name"), root.getStringAttribute ("name"));
}

//==============================================================================
TEST (StateChunkReading, ReadsBackWhatWasWritten)
{
    const auto chunk = chunkOf (sampleState());
    const auto xml = StateChunk::read (chunk.getData(), (int) chunk.getSize());

    const auto expected = sampleState();
    ASSERT_NE (xml, nullptr);
    EXPECT_TRUE (xml->isEquivalentTo (&expected, false));
}

TEST (StateChunkReading, RejectsEightBytes)
{
    const auto chunk = chunkOf (sampleState());
    EXPECT_EQ (StateChunk::read (chunk.getData(), 8), nullptr);
    EXPECT_EQ (StateChunk::read (nullptr, 100), nullptr);
}

TEST (StateChunkReading, RejectsBigEndianMagic)
{
    auto chunk = chunkOf (sampleState());
    auto* bytes = static_cast<juce::uint8*> (chunk.getData());
    std::swap (bytes[0], bytes[3]);
    std::swap (bytes[1], bytes[2]);

    EXPECT_EQ (StateChunk::read (chunk.getData(), (int) chunk.getSize()), nullptr);
}

TEST (StateChunkReading, RejectsZeroAndNegativeLength)
{
    auto chunk = chunkOf (sampleState());
    auto* bytes = static_cast<juce::uint8*> (chunk.getData());

    std::fill (bytes + 4, bytes + 8, 0);
    EXPECT_EQ (StateChunk::read (chunk.getData(), (int) chunk.getSize()), nullptr);

    std::fill (bytes + 4, bytes + 8, 0xff);
    EXPECT_EQ (StateChunk::read (chunk.getData(), (int) chunk.getSize()), nullptr);
}

TEST (StateChunkReading, LengthBeyondTheDataReadsWhatIsThere)
{
    auto chunk = chunkOf (sampleState());
    auto* bytes = static_cast<juce::uint8*> (chunk.getData());
    bytes[4] = 0xff;
    bytes[5] = 0x7f;

    EXPECT_NE (StateChunk::read (chunk.getData(), (int) chunk.getSize()), nullptr);
}

TEST (StateChunkReading, RejectsTruncatedXml)
{
    const auto chunk = chunkOf (sampleState());
    EXPECT_EQ (StateChunk::read (chunk.getData(), (int) chunk.getSize() - 12), nullptr);
}

TEST (StateChunkReading, TextStartingWithZeroIsEmptyAndRejected)
{
    auto chunk = chunkOf (sampleState());
    static_cast<juce::uint8*> (chunk.getData())[8] = 0;

    EXPECT_EQ (StateChunk::read (chunk.getData(), (int) chunk.getSize()), nullptr);
}

TEST (StateChunkReading, MultiByteSequenceCutAtTheEndIsReadSafely)
{
    const char data[] = { 0x56, 0x43, 0x32, 0x21, 0x05, 0x00, 0x00, 0x00, '<', 'a', '/', '>', '\xe2' };
    const auto xml = StateChunk::read (data, (int) sizeof (data));
    ASSERT_NE (xml, nullptr) << "the parser stops after the root element";
    EXPECT_EQ (xml->getTagName(), "a");
}

//==============================================================================
TEST (StateChunkChildren, TakesTheFirstMatchIgnoringCase)
{
    juce::XmlElement root ("Tavelin");
    root.createNewChildElement ("PARAM");
    root.createNewChildElement ("tavelin_midi_map")->setAttribute ("n", 1);
    root.createNewChildElement ("Tavelin_MIDI_MAP")->setAttribute ("n", 2);

    const auto taken = StateChunk::takeFirstChildNamed (root, "Tavelin_MIDI_MAP");

    ASSERT_NE (taken, nullptr);
    EXPECT_EQ (taken->getIntAttribute ("n"), 1);
    EXPECT_EQ (root.getNumChildElements(), 2);
    EXPECT_EQ (root.getChildElement (1)->getIntAttribute ("n"), 2);
}

TEST (StateChunkChildren, NoMatchLeavesTheParentAlone)
{
    juce::XmlElement root ("Tavelin");
    root.createNewChildElement ("PARAM");

    EXPECT_EQ (StateChunk::takeFirstChildNamed (root, "Preset_Metadata"), nullptr);
    EXPECT_EQ (root.getNumChildElements(), 1);
}
} // namespace velk
