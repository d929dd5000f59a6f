#pragma once

#include <juce_core/juce_core.h>

#include <limits>
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

    /** True when both shifters will place their heads alike at the next sample: the same
        grain, ratio, phase and write position, as two channels fed frame by frame have.
    */
    bool isInStepWith (const PitchShifter& other) const noexcept;

    /** A stretch of frames through two shifters in step (isInStepWith()): frame by frame
        the same as setSemitones (semitones[i]) on both, when `semitones` is given, and a
        getNextSample() on each, with the heads placed once for both. The wet signals go to
        `wetLeft` and `wetRight`.
    */
    static void getNextFrames (PitchShifter& left, PitchShifter& right, const float* inputLeft, const float* inputRight,
                               const int* semitones, FloatType feedback, FloatType* wetLeft, FloatType* wetRight,
                               int numFrames) noexcept;

    FloatType getGrainSize() const noexcept { return grainSize; }
    FloatType getRatio() const noexcept { return ratio; }
    int getBufferLength() const noexcept { return (int) buffer.size(); }

private:
    //==============================================================================
    /** Where each head reads in this sample and how much it weighs. */
    struct HeadTaps
    {
        alignas (16) int index[numGrains];
        alignas (16) int partner[numGrains];
        alignas (16) FloatType fraction[numGrains];
        FloatType weight[numGrains];
    };

    /** What places the heads and holds while the grain size does, copied out of the shifter so
        that a stretch of frames keeps it in registers while it writes the memory.
    */
    struct Geometry
    {
        alignas (16) FloatType offsets[numGrains];
        FloatType grainSize;
        FloatType windowScale;
        const FloatType* window;
        int circleSlots;
        int wholeGrain;
    };

    Geometry getGeometry() const noexcept;
    static HeadTaps placeHeads (const Geometry& geometry, FloatType headPhase, int writePosition) noexcept;
    FloatType readHeads (const HeadTaps& taps) const noexcept;

    /** The step after the heads are read: writes the input with the fed-back output, then
        moves the heads and the write position.
    */
    void advance (FloatType input, FloatType feedback, FloatType out) noexcept;
    static void movePositions (FloatType& headPhase, int& writePosition, FloatType speed, FloatType size, int slots) noexcept;
    FloatType getRatioOf (int semitones) const noexcept;

    std::vector<FloatType> buffer;
    std::vector<FloatType> window;
    int writeIndex = 0;
    FloatType phase = 0;
    FloatType grainSize = 0;
    FloatType ratio = 1;

    // The last size asked for: asked again (every block), it would set what it set before.
    // Not a number until the first request after prepare(), which may change the memory.
    FloatType requestedGrainSize = std::numeric_limits<FloatType>::quiet_NaN();
    std::vector<FloatType> grainOffsets;
    FloatType inverseGrainSize = 0;

    // Taken from the grain size whenever it is set. A slot k is inside the circle when
    // k < circleSlots, that is when k < grainSize; wholeGrain is the grain size truncated.
    int circleSlots = 0;
    int wholeGrain = 0;
    FloatType windowScale = 0;
    std::vector<FloatType> ratioTable;
    FloatType semitoneStep = FloatType (1) / FloatType (12);

    JUCE_LEAK_DETECTOR (PitchShifter)
};
} // namespace velk
