#pragma once

#include "editor/MainMenu.h"
#include "editor/components/FileNotice.h"
#include "editor/components/FilterModeDisplay.h"
#include "editor/components/LFODisplay.h"
#include "editor/components/LogoComponent.h"
#include "editor/components/ModMatrixComponent.h"
#include "editor/components/OscilloscopeComponent.h"
#include "editor/components/PanelHeaderLabel.h"
#include "editor/components/ParameterLinkDecoration.h"
#include "editor/components/PresetSelectorComponent.h"
#include "editor/components/SubSectionLabel.h"
#include "editor/components/VelkPanel.h"
#include "editor/controls/CCMapperUIManager.h"
#include "editor/controls/ControlToParameterMapper.h"
#include "editor/controls/VelkButton.h"
#include "editor/controls/VelkComboBox.h"
#include "editor/controls/VelkKnob.h"
#include "lookandfeel/MacroLook.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VKLook.h"
#include "lookandfeel/VelkColours.h"
#include "platform/FileDialog.h"
#include "processor/ParametersRandomizer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <initializer_list>
#include <memory>

class TavelinAudioProcessor;

/** The plug-in's window: a fixed 840 x 660 layout that scales as a whole with the window, which
    keeps that ratio. The processor keeps all persistent state, so closing and reopening the
    window rebuilds every control from the parameter store and loses nothing.
*/
class TavelinAudioProcessorEditor : public juce::AudioProcessorEditor,
                                    public juce::Button::Listener,
                                    public juce::FileBrowserListener,
                                    public juce::Timer,
                                    public juce::Slider::Listener
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
    void mouseDown (const juce::MouseEvent&) override;
    void parentHierarchyChanged() override;
    void buttonClicked (juce::Button*) override;
    void selectionChanged() override;
    void fileClicked (const juce::File&, const juce::MouseEvent&) override;
    void fileDoubleClicked (const juce::File&) override;
    void browserRootChanged (const juce::File&) override;
    void timerCallback() override;
    void sliderValueChanged (juce::Slider*) override;

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

    //==============================================================================
    /** Parameter `parameterIndex` of chain `chainIndex` (both from 0): pitch, size, feedback and
        mix of the pitch shifter; time, synced time, sync, feed and mix of the delay; gain; pan;
        last the delay's ping-pong. Null for an index or chain without one.
    */
    juce::RangedAudioParameter* getChainParameter (int parameterIndex, int chainIndex) const;

    /** Gives the destination chain the source chain's module settings, then its targets' matrix
        depths and scales column by column, each change in a gesture of its own. The bypass,
        serial-mode and to-filter switches are no settings; a chain copied onto itself, or a
        chain that does not exist, changes nothing.
    */
    void copyChainSettings (int sourceChain, int destinationChain);

    /** The chain menu's choice: 1 "COPY SETTINGS" remembers the chain, 2 "PASTE SETTINGS" copies
        the remembered one onto it (nothing before a copy); 0, a dismissed menu, does nothing.
    */
    void chainMenuItemChosen (int chain, int itemId);

    /** The config button's menu, which acts on the item the user chose from it. */
    velk::MainMenu& getMainMenu() noexcept { return *mainMenu; }

    /** What "S" does with the file chosen in its dialog: saves the preset there, with the preset
        extension unless the name has it in some letter case, names the current preset after it
        and selects it in the browser. A save into the "MIDI" folder reaches program changes at
        once. A failed save changes nothing. The dialog asks about the name as typed; when the
        extension added makes it the name of an existing file, the editor asks before replacing
        that file, and a cancelled or dropped question saves nothing.
    */
    void savePresetAs (const juce::File& chosen);

    /** The names without extension of the preset files directly in the folder, in natural
        order (case ignored, runs of digits by value).
    */
    static juce::StringArray generate_presets_list (const juce::File& folder);

private:
    //==============================================================================
    static constexpr int numChains = 3;
    static constexpr int numLfos = 4;
    static constexpr int numMacros = 3;
    static constexpr int numNoteDivisions = 18;

    /** The texts of the tempo-synced time menus, "8 BARS" to "1/128"; item position = value. */
    static juce::StringArray noteDivisions();

    void setupChain (int chain);
    void createChainMenuButtons();
    void updateChainSyncControlsVisibility (int chain);
    void updateChainBypassUIState (int chain);
    void updateChainToFilterVisibility();
    void layOutChains();

    void setupOutputSection();
    void setupPresetStrip();
    void setupRandomizer();
    void setupScopeAndFooter();
    void initializeMacroKnob (int index);
    void setupIconButtons();
    void layOutOutputAndFooter();

    void setupLFOModule (int lfo);
    void updateLFOSyncControlsVisibility (int lfo);
    juce::String lfoWaveParameterUID (int lfo) const;
    void layOutLFOs();

    void refreshModulationDisplay();
    void refreshTexts();

    /** Binds a control that is not a knob and makes it MIDI-learnable. */
    void bindMenu (velk::VelkComboBox& menu, const juce::String& parameterID);
    void bindToggle (velk::VelkButton& button, const juce::String& parameterID);
    /** Binds a knob made without the factory's value label, shadowless; MIDI-learnable. */
    void bindPlainKnob (velk::VelkKnob& knob, const juce::String& parameterID);

    //==============================================================================
    // The matrix view and the chains' copy and paste (PluginEditorMatrixAndCopy.cpp).
    void createModMatrixView();
    void matrixViewClicked();
    void chainMenuClicked (int chain);

    //==============================================================================
    // Presets: the browser, save, previous and next (PluginEditorPresets.cpp).
    void setupPresetBrowser();
    void presetBrowserClicked();
    void savePresetClicked();
    void savePresetTo (const juce::File& file);
    void stepPresetClicked (int direction);

    //==============================================================================
    // The randomizer buttons and the main menu (PluginEditorMainMenu.cpp).
    void randomizeFXClicked();
    void randomizeLFOClicked();
    void randomizeMatrixClicked();
    void randomizeAllClicked();
    /** The groups in turn, one step of the undo history. */
    void randomizeGroups (std::initializer_list<velk::ParametersRandomizer::Group> groups);
    void configClicked();

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

    // Chain sections; element n of each array belongs to chain n + 1.
    juce::OwnedArray<velk::VelkPanel> chainPanels;
    juce::OwnedArray<velk::PanelHeaderLabel> chainHeaderLabels;
    juce::OwnedArray<juce::TextButton> chainMenuButtons;
    juce::OwnedArray<velk::ParameterLinkDecoration> chainLinkDecorations;
    juce::OwnedArray<velk::VelkKnob> pitchShifterPitchKnobs, pitchShifterSizeKnobs, pitchShifterFeedbackKnobs,
        pitchShifterMixKnobs, delayTimeKnobs, delayFeedbackKnobs, delayMixKnobs, gainKnobs, panKnobs;
    juce::OwnedArray<velk::VelkComboBox> delaySyncedTimeMenus;
    juce::OwnedArray<velk::VelkButton> delaySyncButtons, delayPingPongButtons;
    juce::OwnedArray<juce::OwnedArray<juce::Label>> chainCaptions; // nine per chain, knob order
    juce::OwnedArray<velk::SubSectionLabel> pitchShifterSectionLabels, delaySectionLabels, ampSectionLabels;
    juce::OwnedArray<juce::DrawableButton> chainBypassButtons, chainToFilterButtons;
    std::unique_ptr<juce::DrawableButton> chain2SerialModeButton, chain3SerialModeButton;
    juce::Array<bool> chainBypassStates;

    // Output and filter.
    std::unique_ptr<velk::VelkPanel> outputPanel;
    std::unique_ptr<velk::PanelHeaderLabel> outputHeaderLabel;
    std::unique_ptr<velk::FilterModeDisplay> filterModeDisplay;
    std::unique_ptr<velk::VelkKnob> filterModeKnob, filterCutoffKnob, filterResonanceKnob;
    std::unique_ptr<juce::Label> filterCutoffLabel, filterResonanceLabel;
    std::unique_ptr<velk::SubSectionLabel> filterSectionLabel;
    std::unique_ptr<velk::VelkKnob> dryWetKnob;
    std::unique_ptr<juce::Label> dryWetLabel, outputLevelLabel;
    std::unique_ptr<velk::VelkKnob> outputLevelKnob;

    // LFO sections; element n of each array belongs to LFO n + 1.
    juce::OwnedArray<velk::VelkPanel> lfoPanels;
    juce::OwnedArray<velk::PanelHeaderLabel> lfoHeaderLabels;
    juce::OwnedArray<velk::ParameterLinkDecoration> lfoLinkDecorations;
    juce::OwnedArray<velk::VelkKnob> lfoRateKnobs;
    juce::OwnedArray<velk::VelkComboBox> lfoSyncedRateBoxes;
    juce::OwnedArray<velk::VelkButton> lfoSyncButtons;
    juce::OwnedArray<velk::LFODisplay> lfoDisplays;
    juce::OwnedArray<velk::VelkKnob> lfoWaveKnobs, lfoHighRateKnobs;
    juce::OwnedArray<velk::VelkButton> lfoHighRateButtons;
    juce::OwnedArray<juce::Label> lfoRateLabels;

    // Preset strip.
    std::unique_ptr<velk::VelkPanel> presetControlsPanel;
    std::unique_ptr<juce::Label> presetNameLabel;
    std::unique_ptr<juce::TextButton> presetBrowserButton, savePresetButton, previousPresetButton, nextPresetButton;

    // Randomizer.
    std::unique_ptr<velk::VelkPanel> randomizerPanel;
    juce::OwnedArray<velk::ParameterLinkDecoration> randomizerLinkDecorations;
    std::unique_ptr<velk::PanelHeaderLabel> randomizerHeaderLabel;
    std::unique_ptr<juce::TextButton> randomizeFXButton, randomizeLFOButton, randomizeMatrixButton, randomizeAllButton;
    std::unique_ptr<velk::VelkKnob> randomizeAmountKnob;

    // Scope, footer and title-bar buttons.
    std::unique_ptr<velk::LogoComponent> scopeBackgroundLogo;
    std::unique_ptr<velk::OscilloscopeComponent> oscilloscope;
    std::unique_ptr<velk::VelkPanel> footerPanel;
    std::unique_ptr<velk::LogoComponent> productLogo, makerLogo;
    juce::OwnedArray<velk::VelkKnob> macroKnobs;
    juce::OwnedArray<juce::Label> macroLabels;
    std::unique_ptr<velk::SubSectionLabel> macrosLabel;
    std::unique_ptr<velk::VelkKnob> globalModDepthKnob;
    std::unique_ptr<velk::SubSectionLabel> modScaleLabel;
    std::unique_ptr<juce::DrawableButton> configButton, matrixViewButton;

    std::unique_ptr<velk::MainMenu> mainMenu;

    // The preset browser, hidden until the preset name is clicked, and the file the last save
    // wrote, whose selection in it must not cut the sound (forgotten at the next pick).
    std::unique_ptr<velk::PresetSelectorComponent> presetSelector;
    juce::File presetJustSaved;

    // The one file dialog that may be open; deleting it closes the dialog and drops its result.
    // Declared after the main menu, whose map dialogs call back into it.
    std::unique_ptr<velk::FileDialog> fileDialog;

    // Over everything below the title bar when shown, in place of the sections and the scope.
    std::unique_ptr<velk::ModMatrixComponent> modMatrixView;

    // Over the whole window while a save waits for the user's leave to replace a file, or while
    // it tells why a save or a load failed.
    std::unique_ptr<velk::FileNotice> fileNotice;
    int chainCopySourceIndex = -1; // the chain of the last "COPY SETTINGS", -1 before any

    // Declared last so that it goes first: every attachment is deleted before its control.
    velk::ControlToParameterMapper parameterMapper;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TavelinAudioProcessorEditor)
};
