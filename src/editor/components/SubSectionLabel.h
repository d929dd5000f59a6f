#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace velk
{
/** The caption of a group of controls, in the gap of a thin bracket that opens upward. */
class SubSectionLabel : public juce::Component
{
public:
    explicit SubSectionLabel (const juce::String& text);
    ~SubSectionLabel() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    std::unique_ptr<juce::Label> label;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SubSectionLabel)
};
} // namespace velk
