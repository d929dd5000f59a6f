#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace velk
{
/** Draws an embedded vector image, scaled to fit and vertically centred. */
class LogoComponent : public juce::Component
{
public:
    static constexpr int alignLeft = 0;
    static constexpr int alignRight = 1;
    static constexpr int centred = 2;

    LogoComponent (const void* imageData, size_t imageDataSize);
    ~LogoComponent() override;

    void paint (juce::Graphics&) override;

    /** Null when the data held no image the framework reads; nothing is drawn then. */
    std::unique_ptr<juce::Drawable> drawable;

    /** alignLeft, alignRight, or centred (any other value). */
    int placement = centred;
    float opacity = 1.0f;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LogoComponent)
};
} // namespace velk
