#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace velk
{
/** A section's title with a 100-pixel underline in the section's colour. */
class PanelHeaderLabel : public juce::Component
{
public:
    PanelHeaderLabel (const juce::String& text, const juce::Colour& colour);
    ~PanelHeaderLabel() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::unique_ptr<juce::Label> label;
    juce::Colour colour;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PanelHeaderLabel)
};
} // namespace velk
