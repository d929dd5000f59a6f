#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace velk
{
/** A thin line, or a stepped connector, that links related controls. Clicks pass through it. */
class ParameterLinkDecoration : public juce::Component
{
public:
    ParameterLinkDecoration (const juce::Colour& colour, bool straightLine, bool bracketFromTopLeft, bool vertical);
    ~ParameterLinkDecoration() override;

    void paint (juce::Graphics&) override;

    juce::Colour colour;
    bool straightLine;

    /** Stepped connector only: from the top left to the bottom right, else from the bottom
        left to the top right.
    */
    bool bracketFromTopLeft;

    /** Straight line only. */
    bool vertical;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterLinkDecoration)
};
} // namespace velk
