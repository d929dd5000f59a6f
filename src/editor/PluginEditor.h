#pragma once

#include "editor/components/VelkPanel.h"
#include "editor/controls/CCMapperUIManager.h"
#include "editor/controls/ControlToParameterMapper.h"
#include "editor/controls/VelkKnob.h"
#include "lookandfeel/MacroLook.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VKLook.h"
#include "lookandfeel/VelkColours.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

class TavelinAudioProcessor;

/** The plug-in's window: a fixed 840 x 660 layout that scales as a whole with the window, which
    keeps that ratio. The processor keeps all persistent state, so closing and reopening the
    window rebuilds every control from the parameter store and loses nothing.
*/
class TavelinAudioProcessorEditor : public juce::AudioProcessorEditor,
                                    public juce::Timer
{
public:
    //==============================================================================
    static inline const juce::Colour chain1Colour = velk::VelkColours::blue;
    static inline const juce::Colour chain2Colour = velk::VelkColours::orange;
    static inline const juce::Colour chain3Colour = velk::VelkColours::green;
    static inline const juce::Colour outputModuleColour = velk::VelkColours::purple;
    static inline const juce::Colour randomizerModuleColour = velk::VelkColours::lime;
    static inline const juce::Colour lfoModulesColour = velk::VelkColours::yellow;
    static inline const juce::Colour macrosColour = velk::VelkColours::teal;

    //==============================================================================
    explicit TavelinAudioProcessorEditor (TavelinAudioProcessor&);
    ~TavelinAudioProcessorEditor() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void timerCallback() override;

    //==============================================================================
    /** Makes a knob with a value label into `knob` (deleting the one it held) and binds it to
        the parameter: shown, MIDI-learnable, with the shared drop shadow.
    */
    void createAndBindKnob (std::unique_ptr<velk::VelkKnob>& knob, const juce::String& parameterID,
                            const juce::String& suffix, const juce::Colour& colour);

    /** The same for one chain's knob of a per-chain array; `chain` must be the array's size,
        as the chains are built in order.
    */
    void createAndBindChainKnob (int chain, juce::OwnedArray<velk::VelkKnob>& knobs, const juce::String& parameterID,
                                 const juce::String& suffix, const juce::Colour& colour);

private:
    //==============================================================================
    void bindKnob (velk::VelkKnob& knob, const juce::String& parameterID);

    /** Resizable by a corner grip at 840:660, at the processor's stored scale (1.0 when that
        lies outside the range a window can have).
    */
    void setUpResizing();
    void storeScale (float scale);
    void scaleChildren (float scale);

    //==============================================================================
    TavelinAudioProcessor& processor;

    juce::SharedResourcePointer<velk::VKLook> mainLook;
    juce::SharedResourcePointer<MacroLook> macroLook;
    juce::SharedResourcePointer<velk::VKBipolarLook> bipolarLook;

    std::unique_ptr<velk::CCMapperUIManager> ccMapperUIManager;
    juce::DropShadowEffect dropShadow;
    std::unique_ptr<velk::VelkPanel> headerPanel;

    // The chains' bypass and serial-mode buttons show these: on/off, parallel/serial.
    std::unique_ptr<juce::Drawable> powerOnIcon;
    std::unique_ptr<juce::Drawable> powerOffIcon;
    std::unique_ptr<juce::Drawable> parallelIcon;
    std::unique_ptr<juce::Drawable> serialIcon;

    // The sections' controls join here, below everything they listen to and above the mapper.

    // Declared last so that it goes first: every attachment is deleted before its control.
    velk::ControlToParameterMapper parameterMapper;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TavelinAudioProcessorEditor)
};
