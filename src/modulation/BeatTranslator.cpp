#include "modulation/BeatTranslator.h"

namespace velk
{
const std::array<float, BeatTranslator::numDivisions> BeatTranslator::beatDivTable{
    0.125f, 0.25f, 0.5f, 1.0f,
    4.0f / 3.0f, 2.0f,
    8.0f / 3.0f, 4.0f,
    16.0f / 3.0f, 8.0f,
    32.0f / 3.0f, 16.0f,
    64.0f / 3.0f, 32.0f,
    128.0f / 3.0f, 64.0f,
    256.0f / 3.0f, 128.0f
};

juce::String BeatTranslator::syncEnumToString (int index)
{
    static const char* const labels[numDivisions] = {
        "8 BARS", "4 BARS", "2 BARS", "1 BAR", "1/2d", "1/2", "1/4d", "1/4", "1/8d",
        "1/8", "1/16d", "1/16", "1/32d", "1/32", "1/64d", "1/64", "1/128d", "1/128"
    };

    if (index < 0 || index >= numDivisions)
        return {};

    return labels[index];
}
} // namespace velk
