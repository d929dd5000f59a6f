#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class TavelinAudioProcessor;

namespace velk
{
/** The output's last 4096 samples as a line trace, one point per scope value, oldest at the
    left. The editor's timer rebuilds the trace; this component only draws it.
*/
class OscilloscopeComponent : public juce::Component
{
public:
    OscilloscopeComponent();
    ~OscilloscopeComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** The trace colour for a "Scope_Colour" index; purple for an index outside the list. */
    static juce::Colour colourForIndex (int index);

    /** While the scope is enabled, rebuilds the trace from the processor's published scope
        values (never the audio thread's own) and repaints.
    */
    void refresh (const TavelinAudioProcessor& processor);

    /** Rebuilds the trace from values newest first and repaints. A value that is not a finite
        number draws on the centre line.
    */
    void rebuildPath (const juce::Array<float>& newestFirst);

    juce::Path wavePath;
    juce::Colour waveColour;
    bool scopeEnabled = true;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OscilloscopeComponent)
};
} // namespace velk
