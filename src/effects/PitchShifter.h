#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace velk
{
/** A granular delay-line pitch shifter for one channel.

    The input is written into a circle of one grain's length; four read heads a quarter grain
    apart sweep through it at the pitch ratio. Each head is weighted by a window indexed by its
    distance ahead of the write position, so a head falls silent where it crosses the write
    position. The heads' sum is fed back, so repeats are shifted again on every pass.
*/
template <typename FloatType>
class PitchShifter
{
public:
    static constexpr int numGrains = 4;
    static constexpr int windowSize = 8192;

    PitchShifter();

    /** Sizes the memory for grains of up to 400 ms and silences it. */
    void prepare (double sampleRate);

    /** Silences the memory and restarts the write and read positions. */
    void cleanUp() noexcept;

    /** Sets the grain size, clamped to the memory; a changed size re-spaces the heads. */
    void setGrainSize (FloatType grainSizeInSamples) noexcept;

    /** Sets the read speed to the ratio of `semitones` (-24..24). */
    void setSemitones (int semitones) noexcept;

    /** One sample through the shifter; returns the wet signal. */
    FloatType getNextSample (FloatType input, FloatType feedback) noexcept;

    FloatType getGrainSize() const noexcept { return grainSize; }
    FloatType getRatio() const noexcept { return ratio; }
    int getBufferLength() const noexcept { return (int) buffer.size(); }

private:
    //==============================================================================
    FloatType readHead (int head) const noexcept;

    std::vector<FloatType> buffer;
    std::vector<FloatType> window;
    int writeIndex = 0;
    FloatType phase = 0;
    FloatType grainSize = 0;
    FloatType ratio = 1;
    std::vector<FloatType> grainOffsets;
    FloatType inverseGrainSize = 0;
    std::vector<FloatType> ratioTable;
    FloatType semitoneStep = FloatType (1) / FloatType (12);

    JUCE_LEAK_DETECTOR (PitchShifter)
};
} // namespace velk
