#pragma once

#include <juce_core/juce_core.h>

#include <array>

namespace velk
{
/** The eighteen tempo-synced note divisions shared by the LFO rate and the delay time. */
class BeatTranslator
{
public:
    static constexpr int numDivisions = 18;

    /** The label of a division ("8 BARS" .. "1/128"); empty for an index outside 0..17. */
    static juce::String syncEnumToString (int index);

    /** The length of one cycle of division `index` (0..17) in milliseconds, for a bar of
        `msPerBar` milliseconds, computed in single precision.
    */
    static float getPeriodMs (float msPerBar, int index) noexcept
    {
        return msPerBar / beatDivTable[(size_t) index];
    }

    /** How many cycles of each division fit into one bar; the thirds are the nearest floats. */
    static const std::array<float, numDivisions> beatDivTable;
};
} // namespace velk
