#pragma once

#include "effects/ParameterRamp.h"

#include <vector>

namespace velk
{
/** A circular delay line for one channel: fractional reads with linear interpolation, a glide
    of the delay time, feedback of its own output and an equal-power dry/wet mix.
*/
template <typename FloatType>
class DelayLine
{
public:
    DelayLine();

    /** Sizes the memory. Growing keeps the content; a write position that no longer fits
        restarts at the beginning.
    */
    void setMaximumLength (int newLength);

    /** The glide of the delay time, in samples; 0 switches gliding off. */
    void setGlideLength (int newGlideLength) noexcept;

    /** Aims at a delay; one that doesn't fit the memory is halved until it does. A delay that
        is not a finite number is not taken: the last one stays.
    */
    void setDelayInSamples (FloatType newDelay) noexcept;

    /** Silences the memory and restarts the write position; the delay and its glide stay. */
    void cleanUp() noexcept;

    /** One sample through the line, fed back with its own last output, mixed with the input. */
    FloatType getNextSampleWithDryWetMix (FloatType input, FloatType feedback, FloatType mix) noexcept;

    /** One sample through the line fed from elsewhere, as the ping-pong cross-feed does: the
        other channel's input and its last echo (which also becomes this line's feedback memory)
        go in, and the delayed read, unmixed, comes out.
    */
    FloatType getNextCrossFedSample (FloatType input, FloatType echo, FloatType feedback) noexcept;

    int getMaximumLength() const noexcept { return (int) buffer.size(); }
    int getWriteIndex() const noexcept { return writeIndex; }
    FloatType getDelayInSamples() const noexcept { return delayInSamples; }
    FloatType getGlidingDelay() const noexcept { return delayRamp.current; }

private:
    //==============================================================================
    FloatType writeAndRead (FloatType valueToWrite) noexcept;

    std::vector<FloatType> buffer;
    FloatType lastOutput = 0;
    int writeIndex = 0;
    FloatType delayInSamples = 1000;
    ParameterRamp<FloatType> delayRamp{ 1000 };
    bool glideEnabled = false;
    int glideLength = 0;

    JUCE_LEAK_DETECTOR (DelayLine)
};
} // namespace velk
