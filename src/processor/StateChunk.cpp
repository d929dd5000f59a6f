#include "processor/StateChunk.h"

#include "processor/XmlReader.h"

namespace velk
{
namespace
{
    constexpr std::size_t headerSize = 8;
    constexpr std::size_t lengthOffset = 4;
    constexpr std::size_t terminatorSize = 1;
} // namespace

void StateChunk::write (const juce::XmlElement& xml, juce::MemoryBlock& destData)
{
    destData.reset();

    {
        juce::MemoryOutputStream out (destData, false);
        out.writeInt ((int) magicNumber);
        out.writeInt (0);
        xml.writeTo (out, juce::XmlElement::TextFormat().singleLine().withoutHeader());
        out.writeByte (0);
    }

    const auto textLength = (juce::uint32) (destData.getSize() - headerSize - terminatorSize);
    const auto littleEndianLength = juce::ByteOrder::swapIfBigEndian (textLength);
    destData.copyFrom (&littleEndianLength, (int) lengthOffset, sizeof (littleEndianLength));
}

std::unique_ptr<juce::XmlElement> StateChunk::read (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes <= (int) headerSize)
        return {};

    if (juce::ByteOrder::littleEndianInt (data) != magicNumber)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    const auto textLength = (int) juce::ByteOrder::littleEndianInt (bytes + lengthOffset);

    if (textLength <= 0)
        return {};

    const auto numBytes = juce::jmin (sizeInBytes - (int) headerSize, textLength);
    return XmlReader::parse (bytes + headerSize, (std::size_t) numBytes);
}

std::unique_ptr<juce::XmlElement> StateChunk::takeFirstChildNamed (juce::XmlElement& parent, const juce::String& tag)
{
    for (auto* child : parent.getChildIterator())
    {
        if (child->getTagName().equalsIgnoreCase (tag))
        {
            parent.removeChildElement (child, false);
            return std::unique_ptr<juce::XmlElement> (child);
        }
    }

    return {};
}
} // namespace velk
