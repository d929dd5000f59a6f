#pragma once

#include <juce_graphics/juce_graphics.h>

namespace velk
{

/** The user interface's fixed palette, shared by the look-and-feel classes and the editor.

    The members are inline statics so that every translation unit that includes this header has
    them initialised before its own statics: the editor's section colours are copies of them.
*/
struct VelkColours
{
    static inline const juce::Colour blue{ 0xFF1C91ABu };
    static inline const juce::Colour green{ 0xFF199143u };
    static inline const juce::Colour yellow{ 0xFFCCB51Fu };
    static inline const juce::Colour orange{ 0xFFC67624u };
    static inline const juce::Colour lime{ 0xFF96CA30u };
    static inline const juce::Colour teal{ 0xFF4BC89Au };
    static inline const juce::Colour purple{ 0xFF9731C2u };
    static inline const juce::Colour grey{ 0xFF303030u };
    static inline const juce::Colour dark_grey{ 0xFF272727u };
    static inline const juce::Colour light_grey{ 0xFFBDBDBDu };
};

} // namespace velk
