#pragma once

#include "editor/components/ParameterGraphicalDisplay.h"

namespace velk
{
/** An LFO's wave shape, in the order of its Wave values: sine, square, saw up, saw down,
    triangle, random, smooth random.
*/
class LFODisplay : public ParameterGraphicalDisplay
{
public:
    LFODisplay();
    ~LFODisplay() override;

    void initialize (float initialValue, const juce::Colour& colour) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LFODisplay)
};
} // namespace velk
