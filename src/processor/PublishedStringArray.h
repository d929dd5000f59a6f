#pragma once

#include "processor/LockFreeHandover.h"

#include <juce_core/juce_core.h>

namespace velk
{
/** A string list that the message thread reads and replaces as a plain juce::StringArray while
    the audio thread reads a copy of its latest content without a lock.
*/
class PublishedStringArray
{
public:
    PublishedStringArray();

    /** Message thread: replaces the list and publishes a copy to the audio thread. */
    PublishedStringArray& operator= (const juce::StringArray& newStrings);

    /** Message thread: the list as last assigned. */
    operator const juce::StringArray&() const noexcept { return strings; }
    const juce::StringArray& get() const noexcept { return strings; }
    int size() const noexcept { return strings.size(); }
    const juce::String& operator[] (int index) const noexcept { return strings[index]; }

    /** Audio thread: the latest published list; valid until the next call. */
    const juce::StringArray& getForAudioThread() noexcept { return handover.acquire(); }

private:
    juce::StringArray strings;
    LockFreeHandover<juce::StringArray> handover;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PublishedStringArray)
};
} // namespace velk
