#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** How long the chains' modules take to follow their knobs. */
constexpr double moduleRampMs = 30.0;

/** How long the filter, the delay's time glide, the output level and the dry/wet mix take. */
constexpr double slowRampMs = 60.0;

/** A ramp time in whole samples, the fraction cut off. */
inline int rampLengthInSamples (double sampleRate, double milliseconds) noexcept
{
    return (int) (sampleRate * 0.001 * milliseconds);
}

/** Glides a parameter value toward its knob value in equal steps.

    Re-aiming never moves `current`: each block starts a fresh ramp from wherever the last one
    stood, so with blocks shorter than the ramp every block closes block / length of the
    remaining distance. A finished ramp does not snap to its target either: `current` is
    exactly what the additions gave, which the rendered output depends on.
*/
template <typename FloatType>
struct ParameterRamp
{
    /** Aims at `target`, to be reached after `lengthInSamples` advances. A length of 0 or
        less leaves the ramp at rest.
    */
    void aimAt (FloatType target, int lengthInSamples) noexcept
    {
        countdown = juce::jmax (0, lengthInSamples);
        step = countdown > 0 ? (target - current) / (FloatType) countdown : FloatType();
    }

    /** Moves one step while the ramp runs. */
    void advance() noexcept
    {
        if (countdown > 0)
        {
            current += step;
            --countdown;
        }
    }

    /** The same as `numSteps` calls of advance(). */
    void advance (int numSteps) noexcept
    {
        const auto stepsToRun = juce::jmin (numSteps, countdown);

        for (int i = 0; i < stepsToRun; ++i)
            current += step;

        countdown -= juce::jmax (0, stepsToRun);
    }

    FloatType current{};
    FloatType step{};
    int countdown = 0;
};
} // namespace velk
