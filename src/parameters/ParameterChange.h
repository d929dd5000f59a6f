#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
/** A change that the plug-in makes itself (a mapped controller, the randomizer, the matrix
    reset), announced the way the host and the editor announce theirs: the parameter takes the
    normalised value and tells its listeners and the host, between a begin and an end gesture
    unless `withGesture` is false (Ableton Live mishandles gestures that a plug-in starts).

    Each message takes the parameter's listener lock, and the value, when it changes, the
    parameter store's listener lock of that parameter.
*/
void setParameterNotifyingHost (juce::AudioProcessorParameter& parameter, float normalisedValue, bool withGesture = true);
} // namespace velk
