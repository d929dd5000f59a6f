#include "processor/XmlReader.h"

#include <cstring>
#include <limits>

namespace velk
{
std::unique_ptr<juce::XmlElement> XmlReader::parse (const juce::File& file)
{
    if (!file.existsAsFile() || file.getSize() > maxFileSize)
        return {};

    // The size is read again from the open file: it may have grown since it was looked at.
    juce::FileInputStream in (file);

    if (!in.openedOk() || in.getTotalLength() > maxFileSize)
        return {};

    juce::MemoryBlock bytes;
    in.readIntoMemoryBlock (bytes);
    return parse (bytes.getData(), bytes.getSize());
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
