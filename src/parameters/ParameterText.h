#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** Value-to-text functions of the plug-in's float parameters. Each takes the value in the
    parameter's own range and is safe on any thread.
*/
juce::String getPercentParameterText (float value);           // "50.00 %"
juce::String getHertzWithDecimalsParameterText (float value); // "1.000 Hz"
juce::String getHertzParameterText (float value);             // "60 Hz"
juce::String getMillisecondsParameterText (float value);      // "120 Ms"
juce::String getSyncedTimeParameterText (float value);        // "1 BAR"
juce::String getDecibelsParameterText (float value);          // "+0.00 dB", "-INF dB"

/** `value` with exactly `decimals` decimals (1..6). Halves go away from zero, and a "-"
    precedes any negative value even when every printed digit is zero ("-0.00"), the number
    form that our stored texts and presets were made with. JUCE 7's String (double, int)
    rounds exact binary halves to even instead, so it can't be used here.
*/
juce::String toFixedDecimalString (double value, int decimals);
} // namespace velk
