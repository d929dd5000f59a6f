#include "parameters/ParameterText.h"

#include "modulation/BeatTranslator.h"
#include "parameters/ParameterConversions.h"

#include <cmath>

namespace velk
{
namespace
{
    constexpr float minusInfinityDecibels = -70.0f;
    constexpr double largestFixedMagnitude = 1.0e15;

    juce::String withUnit (const juce::String& number, const char* unit)
    {
        return number + " " + unit;
    }
} // namespace

juce::String toFixedDecimalString (double value, int decimals)
{
    jassert (decimals >= 1 && decimals <= 6);

    const auto magnitude = std::abs (value);

    // Beyond this the scaled digits no longer fit the integer below; no parameter gets near it.
    if (!(magnitude < largestFixedMagnitude))
        return juce::String (value, decimals);

    auto digits = (juce::int64) (std::pow (10.0, decimals) * magnitude + 0.5);

    char buffer[40];
    auto* end = buffer + sizeof (buffer);
    auto* start = end;

    for (int place = decimals; place >= 0 || digits > 0; --place)
    {
        if (place == 0)
            *--start = '.';

        *--start = (char) ('0' + (int) (digits % 10));
        digits /= 10;
    }

    if (value < 0.0)
        *--start = '-';

    return juce::String (start, (size_t) (end - start));
}

juce::String getPercentParameterText (float value)
{
    return withUnit (toFixedDecimalString (value, 2), "%");
}

juce::String getHertzWithDecimalsParameterText (float value)
{
    return withUnit (toFixedDecimalString (value, 3), "Hz");
}

juce::String getHertzParameterText (float value)
{
    return withUnit (juce::String (roundToIndex (value)), "Hz");
}

juce::String getMillisecondsParameterText (float value)
{
    return withUnit (juce::String (roundToIndex (value)), "Ms");
}

juce::String getSyncedTimeParameterText (float value)
{
    return BeatTranslator::syncEnumToString (roundToIndex (value));
}

juce::String getDecibelsParameterText (float value)
{
    if (value <= minusInfinityDecibels)
        return withUnit ("-INF", "dB");

    const juce::String sign (value >= 0.0f ? "+" : "");
    return withUnit (sign + toFixedDecimalString (value, 2), "dB");
}
} // namespace velk
