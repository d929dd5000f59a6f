#include "processor/XmlFileReader.h"

namespace velk
{
std::unique_ptr<juce::XmlElement> XmlFileReader::parse (const juce::File& file)
{
    if (!file.existsAsFile() || file.getSize() > maxFileSize)
        return {};

    // The size is read again from the open file: it may have grown since it was looked at.
    juce::FileInputStream in (file);

    if (!in.openedOk() || in.getTotalLength() > maxFileSize)
        return {};

    return juce::XmlDocument::parse (in.readEntireStreamAsString());
}
} // namespace velk
