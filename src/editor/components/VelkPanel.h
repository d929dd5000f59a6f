#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace velk
{
/** The dark background of a section: a faint sheen toward the bottom, edge lines and an
    optional lighter header band.
*/
class VelkPanel : public juce::Component
{
public:
    VelkPanel (bool drawTopEdge, bool drawLeftEdge, bool drawBottomEdge, bool drawRightEdge, bool hasHeaderBand);
    ~VelkPanel() override;

    void paint (juce::Graphics&) override;

    bool drawTopEdge, drawLeftEdge, drawBottomEdge, drawRightEdge;
    bool hasHeaderBand;
    int headerHeight = 22;

    /** Draws the base at 0.8 of its brightness. */
    bool darkerShade = false;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (VelkPanel)
};
} // namespace velk
