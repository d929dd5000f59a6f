#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace velk
{
/** The binary wrapper around the XML state that hosts store with their projects: the 32-bit
    magic 0x21324356, the 32-bit byte count of the text, the text on one line and a terminating
    zero, all little-endian. This is the layout of JUCE's copyXmlToBinary, minus the XML
    declaration that newer JUCE versions put in front of the text.
*/
class StateChunk
{
public:
    static constexpr juce::uint32 magicNumber = 0x21324356;

    /** Replaces the content of `destData` with the chunk of `xml`. */
    static void write (const juce::XmlElement& xml, juce::MemoryBlock& destData);

    /** The root element of a chunk, or null when the data is too short, has the wrong magic
        number, a length of 0 or less, or text that doesn't parse as a whole XML document.
        A length beyond the data cuts the text at the end of the data.
    */
    static std::unique_ptr<juce::XmlElement> read (const void* data, int sizeInBytes);

    /** Detaches the first child of `parent` whose tag equals `tag`, ignoring case; null when
        there is none.
    */
    static std::unique_ptr<juce::XmlElement> takeFirstChildNamed (juce::XmlElement& parent, const juce::String& tag);
};
} // namespace velk
