#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** Reads the numbers that preset files, MIDI-map files and state chunks hold as text.

    Every well-formed number reads as the framework reads it, but no text makes the reading
    undefined: the framework's parser overflows an int on an exponent of ten digits or more, and
    its whole numbers come from the C library's atoi, whose result beyond an int's range is
    undefined.
*/
class NumberReader
{
public:
    /** Text is read from its start as the framework reads a number: leading whitespace, an
        optional sign, then "nan" or "inf" in any letter case, or digits with at most one point
        and an optional exponent. What follows is ignored; text with no number reads as 0. An
        exponent beyond a double's range, of any length, gives infinity or zero with the sign.
        Any other var converts as the framework converts it.
    */
    static double readDouble (const juce::var& value);

    /** Text is read from its start as atoi reads it: leading whitespace, an optional sign and
        digits. What follows is ignored; text with no digits reads as 0, and a number beyond an
        int's range as the nearest of its limits. Any other var converts as the framework
        converts it.
    */
    static int readInt (const juce::var& value);
};
} // namespace velk
