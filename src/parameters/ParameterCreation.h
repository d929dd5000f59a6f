#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <functional>

namespace velk
{
/** Turns a parameter's value (in its own range) into the text the host and the editor show. */
using ParameterTextFunction = std::function<juce::String (float)>;

/** Creates one float parameter in the store with the store's default flags (automatable, not
    meta, not discrete, not boolean) and no text-to-value function, and returns the pointer to
    its raw value for the audio thread.

    A text function writes the unit itself ("50.00 %"); the label names it for everyone but a
    VST 2.4 host, which shows it after the text (ShortNamedParameter::getLabel). Without a text
    function the store's own text is shown (a 0..1 switch reads "0"/"1").
    Switches must get their text this way: wrapping an empty function would throw when the
    host asks for the parameter's text. A name longer than a host takes is answered in short
    (ShortNamedParameter).
*/
std::atomic<float>* addFloatParameter (juce::AudioProcessorValueTreeState& store,
                                       const juce::String& identifier,
                                       const juce::String& displayName,
                                       juce::NormalisableRange<float> range,
                                       float defaultValue,
                                       const juce::String& label,
                                       ParameterTextFunction valueToText);
} // namespace velk
