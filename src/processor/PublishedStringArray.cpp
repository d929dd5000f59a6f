#include "processor/PublishedStringArray.h"

namespace velk
{
PublishedStringArray::PublishedStringArray()
    : handover (std::make_unique<juce::StringArray>())
{
}

PublishedStringArray& PublishedStringArray::operator= (const juce::StringArray& newStrings)
{
    strings = newStrings;
    handover.publish (std::make_unique<juce::StringArray> (newStrings));
    return *this;
}
} // namespace velk
