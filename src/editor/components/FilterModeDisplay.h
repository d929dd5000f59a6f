#pragma once

#include "editor/components/ParameterGraphicalDisplay.h"

namespace velk
{
/** The filter mode as its response curve: low-pass, high-pass, band-pass, notch (Filter_Mode 0 to 3). */
class FilterModeDisplay : public ParameterGraphicalDisplay
{
public:
    FilterModeDisplay();
    ~FilterModeDisplay() override;

    void initialize (float initialValue, const juce::Colour& colour) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FilterModeDisplay)
};
} // namespace velk
