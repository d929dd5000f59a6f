#pragma once

#include "effects/ParameterRamp.h"
#include "modulation/EqualPowerCrossfade.h"

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

    /** Takes the delay and the glide of a line that stood as this one and was then given a
        delay: the same as giving this one that delay.
    */
    void takeDelayOf (const DelayLine& other) noexcept;

    /** Silences the memory and restarts the write position; the delay and its glide stay. */
    void cleanUp() noexcept;

    /** One sample through the line, fed back with its own last output, mixed with the input. */
    FloatType getNextSampleWithDryWetMix (FloatType input, FloatType feedback, FloatType mix) noexcept;

    /** One sample through the line fed from elsewhere, as the ping-pong cross-feed does: the
        other channel's input and its last echo (which also becomes this line's feedback memory)
        go in, and the delayed read, unmixed, comes out.
    */
    FloatType getNextCrossFedSample (FloatType input, FloatType echo, FloatType feedback) noexcept;

    /** True when both lines will read alike at the next sample: the same length, write
        position and delay (glide included), as two channels fed frame by frame have.
    */
    bool isInStepWith (const DelayLine& other) const noexcept;

    /** A stretch of frames through two lines in step (isInStepWith()), in place: frame by
        frame the same as setDelayInSamples (delays[i]) on both, when `delays` is given, and a
        getNextSampleWithDryWetMix() on each with the mix that gains[i] are of, the result
        taken as a float. The read is placed once for both lines.
    */
    static void getNextFrames (DelayLine& left, DelayLine& right, float* samplesLeft, float* samplesRight,
                               const FloatType* delays, FloatType feedback, const EqualPowerGains* gains,
                               int numFrames) noexcept;

    /** What the ping-pong cross-feed carries from one side to the other: each side's last
        input and echo, left first.
    */
    struct CrossFeed
    {
        float inputs[2]{};
        float echoes[2]{};
    };

    /** A stretch of ping-pong frames through two lines in step (isInStepWith()), in place:
        frame by frame the same as setDelayInSamples (delays[i]) on both, when `delays` is
        given, then getNextCrossFedSample() on the left line with the right side's last input
        and echo, and on the right line with the left side's, each side mixed as
        input * gains[i].dry + echo * gains[i].wet in single precision. The read is placed
        once for both lines.
    */
    static void getNextCrossFedFrames (DelayLine& left, DelayLine& right, float* samplesLeft, float* samplesRight,
                                       const FloatType* delays, FloatType feedback, const EqualPowerGains* gains,
                                       CrossFeed& crossFeed, int numFrames) noexcept;

    int getMaximumLength() const noexcept { return (int) buffer.size(); }
    int getWriteIndex() const noexcept { return cursor.writeIndex; }
    FloatType getDelayInSamples() const noexcept { return cursor.delayInSamples; }
    FloatType getGlidingDelay() const noexcept { return cursor.delayRamp.current; }

private:
    //==============================================================================
    /** Where the read falls between two slots. */
    struct ReadTap
    {
        int index;
        int partner;
        FloatType fraction;
    };

    /** What moves from frame to frame: the write position and the delay with its glide. A
        stretch of frames keeps it in a local while it writes the memory, whose stores could
        otherwise land on the line's members as far as the compiler can tell.
    */
    struct Cursor
    {
        int writeIndex = 0;
        FloatType delayInSamples = 1000;
        ParameterRamp<FloatType> delayRamp{ 1000 };
    };

    FloatType writeAndRead (FloatType valueToWrite) noexcept;
    FloatType read (const ReadTap& tap) const noexcept;

    static void aim (Cursor& position, FloatType newDelay, int length, int glide) noexcept;
    static void moveWritePosition (Cursor& position, int length) noexcept;
    static FloatType glideDelay (Cursor& position, bool gliding) noexcept;
    static ReadTap placeRead (const Cursor& position, FloatType delay, int length) noexcept;
    static FloatType silenceIfNotFinite (FloatType value) noexcept;

    std::vector<FloatType> buffer;
    FloatType lastOutput = 0;
    Cursor cursor;
    bool glideEnabled = false;
    int glideLength = 0;

    JUCE_LEAK_DETECTOR (DelayLine)
};
} // namespace velk
