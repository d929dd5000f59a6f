#include "processor/XmlReader.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <unistd.h>

namespace velk
{
namespace
{
    bool startsWith (const juce::MemoryBlock& bytes, std::initializer_list<unsigned char> mark)
    {
        return bytes.getSize() >= mark.size()
               && std::equal (mark.begin(), mark.end(), static_cast<const unsigned char*> (bytes.getData()));
    }

    /** The UTF-16 text after the two bytes of its mark, as UTF-8. Like the UTF-8 text, it ends at
        a zero unit and before the first unit that is no part of a whole character: a surrogate
        without its partner, or an odd last byte.
    */
    juce::MemoryBlock utf16WithMarkToUtf8 (const juce::MemoryBlock& bytes, bool bigEndian)
    {
        const auto* data = static_cast<const unsigned char*> (bytes.getData()) + 2;
        const auto numUnits = (bytes.getSize() - 2) / 2;

        const auto unitAt = [data, bigEndian] (size_t index)
        {
            const auto first = (juce::juce_wchar) data[2 * index];
            const auto second = (juce::juce_wchar) data[2 * index + 1];
            return bigEndian ? (first << 8) | second : (second << 8) | first;
        };

        const auto isHighSurrogate = [] (juce::juce_wchar unit)
        { return unit >= 0xd800 && unit <= 0xdbff; };
        const auto isLowSurrogate = [] (juce::juce_wchar unit)
        { return unit >= 0xdc00 && unit <= 0xdfff; };

        // A unit becomes at most three bytes of UTF-8, and a surrogate pair four.
        juce::MemoryBlock utf8 (numUnits * 3);
        auto* const start = static_cast<char*> (utf8.getData());
        juce::CharPointer_UTF8 out (start);

        for (size_t i = 0; i < numUnits; ++i)
        {
            auto character = unitAt (i);

            if (character == 0 || isLowSurrogate (character))
                break;

            if (isHighSurrogate (character))
            {
                if (i + 1 == numUnits || !isLowSurrogate (unitAt (i + 1)))
                    break;

                character = 0x10000 + ((character - 0xd800) << 10) + (unitAt (++i) - 0xdc00);
            }

            out.write (character);
        }

        utf8.setSize ((size_t) (out.getAddress() - start));
        return utf8;
    }

    /** File bytes as UTF-8 text. Text editors begin files with a byte-order mark: a UTF-8 mark
        is skipped and UTF-16 with a mark is converted; without a mark the bytes are UTF-8.
    */
    juce::MemoryBlock toUtf8 (juce::MemoryBlock bytes)
    {
        if (startsWith (bytes, { 0xef, 0xbb, 0xbf }))
            bytes.removeSection (0, 3);
        else if (startsWith (bytes, { 0xff, 0xfe }))
            return utf16WithMarkToUtf8 (bytes, false);
        else if (startsWith (bytes, { 0xfe, 0xff }))
            return utf16WithMarkToUtf8 (bytes, true);

        return bytes;
    }
} // namespace

std::unique_ptr<juce::XmlElement> XmlReader::parse (const juce::File& file)
{
    juce::String failure;
    return parse (file, failure);
}

std::unique_ptr<juce::XmlElement> XmlReader::parse (const juce::File& file, juce::String& failure)
{
    const auto fail = [&failure] (const char* reason)
    {
        failure = reason;
        return std::unique_ptr<juce::XmlElement>();
    };

    if (file.isDirectory())
        return fail ("it is a folder");

    if (!file.existsAsFile())
        return fail ("it does not exist");

    juce::FileInputStream in (file);

    if (!in.openedOk())
        return fail (access (file.getFullPathName().toRawUTF8(), R_OK) != 0 ? "there is no permission to read it" : "it could not be read");

    // The size of the open file, which is what will be read.
    if (in.getTotalLength() > maxFileSize)
        return fail ("it is too large");

    juce::MemoryBlock bytes;
    in.readIntoMemoryBlock (bytes);
    const auto text = toUtf8 (std::move (bytes));

    if (auto document = parse (text.getData(), text.getSize()))
        return document;

    return fail ("it is damaged or of another kind");
}

std::unique_ptr<juce::XmlElement> XmlReader::parse (const void* utf8, size_t numBytes)
{
    if (utf8 == nullptr || numBytes > (size_t) std::numeric_limits<int>::max())
        return {};

    const auto* text = static_cast<const char*> (utf8);
    const auto length = lengthOfWholeUtf8 (text, (int) strnlen (text, numBytes));
    const auto document = juce::String::fromUTF8 (text, length);

    if (hasProcessingInstructionInsideTheRoot (document))
        return {};

    return juce::XmlDocument::parse (document);
}

bool XmlReader::hasProcessingInstructionInsideTheRoot (const juce::String& document)
{
    // Declarations, processing instructions and comments may come before the root element.
    auto position = document.indexOfChar ('<');

    while (position >= 0 && (document[position + 1] == '?' || document[position + 1] == '!'))
    {
        const auto end = document.indexOf (position, document[position + 1] == '?' ? "?>" : ">");

        if (end < 0)
            return false;

        position = document.indexOfChar (end, '<');
    }

    return position >= 0 && document.indexOf (position, "<?") >= 0;
}

int XmlReader::lengthOfWholeUtf8 (const char* text, int numBytes) noexcept
{
    int length = 0;

    while (length < numBytes)
    {
        const auto lead = (unsigned char) text[length];
        const auto sequenceLength = lead < 0x80 ? 1 : lead < 0xc2 ? 0
                                                  : lead < 0xe0   ? 2
                                                  : lead < 0xf0   ? 3
                                                  : lead < 0xf5   ? 4
                                                                  : 0;

        if (sequenceLength == 0 || length + sequenceLength > numBytes)
            return length;

        for (int k = 1; k < sequenceLength; ++k)
            if (((unsigned char) text[length + k] & 0xc0) != 0x80)
                return length;

        length += sequenceLength;
    }

    return length;
}
} // namespace velk
