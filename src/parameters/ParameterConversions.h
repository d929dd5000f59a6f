#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** A switch parameter is on when its raw value is above one half. */
inline bool isSwitchOn (float rawValue) noexcept
{
    return rawValue > 0.5f;
}

/** Turns a parameter value into an index or whole number: nearest integer, halves to even
    (JUCE's roundToInt adds 1.5 * 2^52 and so follows the FPU's round-to-nearest-even mode).
*/
inline int roundToIndex (float rawValue) noexcept
{
    return juce::roundToInt (rawValue);
}
} // namespace velk
