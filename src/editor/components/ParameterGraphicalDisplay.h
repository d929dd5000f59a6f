#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <initializer_list>
#include <memory>

namespace velk
{
/** A round badge that shows one picture per value of a stepped parameter. It only draws: a
    transparent knob bound to the same parameter lies over it and takes the mouse.

    The owner registers it as the parameter's listener and must remove it before deleting it.
*/
class ParameterGraphicalDisplay : public juce::Component,
                                  public juce::AudioProcessorValueTreeState::Listener
{
public:
    ParameterGraphicalDisplay();
    ~ParameterGraphicalDisplay() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** Builds the pictures in the section's colour and shows the one for `initialValue`, the
        parameter's plain value. Call once, right after construction.
    */
    virtual void initialize (float initialValue, const juce::Colour& colour) = 0;

    /** Runs on whichever thread moves the parameter, the audio thread included, so it only
        stores the index; the display shows it at its next repaint.
    */
    void parameterChanged (const juce::String& parameterID, float newValue) override;

    /** Takes ownership; the picture's index is the parameter value it stands for. */
    void addImage (std::unique_ptr<juce::Drawable> image);

    juce::OwnedArray<juce::Drawable> images;

    /** The picture shown; a value outside the pictures shows the badge alone. */
    std::atomic<int> currentIndex{ 0 };

    /** Draws a lime halo: the parameter is a modulation target with some depth. */
    bool modulated = false;

protected:
    /** A picture as embedded SVG text. */
    struct Picture
    {
        const char* data;
        int size;
    };

    void initializeWithPictures (std::initializer_list<Picture> pictures, float initialValue, const juce::Colour& colour);

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterGraphicalDisplay)
};
} // namespace velk
