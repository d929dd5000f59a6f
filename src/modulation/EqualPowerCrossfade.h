#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** The equal-power crossfade curve, a polynomial stand-in for cos(t) on [0, pi/2].
    It is evaluated in single precision on purpose: the rendered mixes depend on these exact
    float results. c(0) is exactly 1; c(pi/2) is about 4.8e-6 rather than 0.
*/
inline float equalPowerCurve (double t) noexcept
{
    const auto x = (float) t;
    const auto xSquared = x * x;
    return (0.03705f * xSquared - 0.4967f) * xSquared + 1.0f;
}

/** Gain of the dry signal for a mix amount in [0, 1] (0 = all dry). */
inline float equalPowerDryGain (double mix) noexcept
{
    return equalPowerCurve (mix * juce::MathConstants<double>::halfPi);
}

/** Gain of the wet signal for a mix amount in [0, 1] (1 = all wet). */
inline float equalPowerWetGain (double mix) noexcept
{
    return equalPowerCurve ((1.0 - mix) * juce::MathConstants<double>::halfPi);
}

/** Both gains of a mix amount, worked out once for every sample that shares the amount. */
struct EqualPowerGains
{
    /** All dry. */
    EqualPowerGains() noexcept
        : EqualPowerGains (0.0)
    {
    }

    explicit EqualPowerGains (double mix) noexcept
        : dry (equalPowerDryGain (mix)), wet (equalPowerWetGain (mix))
    {
    }

    float dry;
    float wet;
};

/** EqualPowerGains (amounts[i]) for every frame of a stretch, four frames side by side: each
    lane goes through the same single- and double-precision steps, so the gains are those of
    the frame-by-frame construction.
*/
void makeEqualPowerGains (const float* amounts, EqualPowerGains* gains, int numFrames) noexcept;
} // namespace velk
