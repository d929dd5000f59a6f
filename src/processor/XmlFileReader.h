#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace velk
{
/** Reads the plug-in's XML files (presets and MIDI maps) with the checks that user-supplied
    files need.
*/
class XmlFileReader
{
public:
    /** The largest file that is read. A preset of every parameter is about 20 KB; anything far
        beyond that is not one of ours, and a program change reads presets on the audio thread.
    */
    static constexpr juce::int64 maxFileSize = 2 * 1024 * 1024;

    /** The document's root element, or nullptr for a file that is missing, a folder, empty,
        larger than maxFileSize, unreadable or not well-formed XML.
    */
    static std::unique_ptr<juce::XmlElement> parse (const juce::File& file);
};
} // namespace velk
