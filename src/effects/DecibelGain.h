#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <limits>

namespace velk
{
/** juce::Decibels::decibelsToGain() of a level that mostly holds still from block to block:
    the power is taken again only when the level changed, and a level asked again gives the
    gain it gave before.
*/
class DecibelGain
{
public:
    float operator() (float decibels) noexcept
    {
        // Not a number never equals itself, so it is converted as it would be on every call.
        if (!(decibels == lastDecibels))
        {
            lastDecibels = decibels;
            lastGain = juce::Decibels::decibelsToGain (decibels);
        }

        return lastGain;
    }

private:
    float lastDecibels = std::numeric_limits<float>::quiet_NaN();
    float lastGain = 0.0f;
};
} // namespace velk
