#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace velk
{
/** Parses XML that comes from outside (preset and MIDI-map files, the host's state chunk) with
    the checks such input needs before the framework's parser sees it.
*/
class XmlReader
{
public:
    /** The largest file that is read. A preset of every parameter is about 20 KB; anything far
        beyond that is not one of ours.
    */
    static constexpr juce::int64 maxFileSize = 2 * 1024 * 1024;

    /** The document's root element, or nullptr for a file that is missing, a folder, empty,
        larger than maxFileSize, unreadable or not well-formed XML (see below). The file is
        UTF-8, with or without a byte-order mark, or UTF-16 (either byte order) with a mark;
        UTF-16 text ends at a zero unit and before the first unit that is no part of a whole
        character.
    */
    static std::unique_ptr<juce::XmlElement> parse (const juce::File& file);

    /** As parse (file), saying why when it gives no document, in plain words for the user:
        e.g. "it does not exist" or "it is damaged or of another kind".
    */
    static std::unique_ptr<juce::XmlElement> parse (const juce::File& file, juce::String& failure);

    /** The root element of the UTF-8 text in the first `numBytes` bytes, or nullptr when it is
        not well-formed XML or holds a processing instruction inside the root. The text ends at a zero byte, if there is one, and before the first
        byte that doesn't belong to a whole UTF-8 sequence: the framework's parser steps over a
        sequence by its first byte alone, so a sequence cut short would make it read past the
        end of the text.
    */
    static std::unique_ptr<juce::XmlElement> parse (const void* utf8, size_t numBytes);

    /** True when a processing instruction ("<?") comes after the root element's start. None of
        the plug-in's formats has one there, and the framework's parser loops for ever on one
        that text follows inside an element.
    */
    static bool hasProcessingInstructionInsideTheRoot (const juce::String& document);

    /** The length of the longest start of the text made of whole UTF-8 sequences. */
    static int lengthOfWholeUtf8 (const char* text, int numBytes) noexcept;
};
} // namespace velk
