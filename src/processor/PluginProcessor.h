#pragma once

#include "platform/EditorWindowStandIn.h"
#include "platform/ScopedCrashHandler.h"
#include "processor/CCMapper.h"
#include "processor/CurrentPreset.h"
#include "processor/EditorReadouts.h"
#include "processor/MidiBlockSummary.h"
#include "processor/ParameterLayout.h"
#include "processor/ParametersRandomizer.h"
#include "processor/PeriodicCallback.h"
#include "processor/PluginCrashLogger.h"
#include "processor/PluginState.h"
#include "processor/Preferences.h"
#include "processor/PresetLoader.h"
#include "processor/ProgramChangeRequest.h"
#include "processor/SignalPath.h"
#include "processor/StateGuard.h"
#include "processor/UndoHistory.h"
#include "processor/ValueTreeWatcher.h"

#include <juce_audio_processors/juce_audio_processors.h>

/** The processor that the host drives through JUCE's VST2 wrapper: framework glue between the
    host and the plug-in's parts, which it owns.

    Its public part is what an editor works with, on the message thread unless a line says
    otherwise: the parameter store and the undo history, the identifier lists, the MIDI map, the
    randomizer, the preferences, the read-outs of the audio thread, the current preset, the
    program-change request and the stand-in for the editor's window.

    Which thread may change what it shares with the others is StateGuard's rule: prepares,
    state chunks, loads and undo steps take turns there, and the audio thread never waits.
*/
class TavelinAudioProcessor : public juce::AudioProcessor
{
public:
    //==============================================================================
    // The identifier bases and the keys of the preferences and the state chunk.
    static inline const juce::String& lfoModuleUid = velk::ParameterLayout::lfoModuleUid;
    static inline const juce::String& macroModuleUid = velk::ParameterLayout::macroModuleUid;
    static inline const juce::String& pitchShifterModuleUid = velk::ParameterLayout::pitchShifterModuleUid;
    static inline const juce::String& delayModuleUid = velk::ParameterLayout::delayModuleUid;
    static inline const juce::String& gainerModuleUid = velk::ParameterLayout::gainerModuleUid;
    static inline const juce::String& pannerModuleUid = velk::ParameterLayout::pannerModuleUid;
    static inline const juce::String& filterModuleUid = velk::ParameterLayout::filterModuleUid;
    static inline const juce::String& chainByPassUidBase = velk::ParameterLayout::chainByPassUidBase;
    static inline const juce::String& chain2SerialUid = velk::ParameterLayout::chain2SerialUid;
    static inline const juce::String& chain3SerialUid = velk::ParameterLayout::chain3SerialUid;
    static inline const juce::String& chainFilterRoutingUidBase = velk::ParameterLayout::chainFilterRoutingUidBase;
    static inline const juce::String& uiScaleFactorProperty = velk::Preferences::uiScaleFactorProperty;
    static inline const juce::String& versionProperty = velk::Preferences::versionProperty;
    static inline const juce::String& scopeColourProperty = velk::Preferences::scopeColourProperty;
    static inline const juce::String& scopeEnabledProperty = velk::Preferences::scopeEnabledProperty;
    static inline const juce::String& presetNameXmlTag = velk::PluginState::presetNameXmlTag;
    static inline const juce::String& presetNameXmlAttribute = velk::PluginState::presetNameXmlAttribute;

    static constexpr int numChains = velk::ParameterLayout::numChains;
    static constexpr int numLfos = velk::ParameterLayout::numLfos;
    static constexpr int numMacros = velk::ParameterLayout::numMacros;

    /** base + "_" + (index + 1): LFO_1 for ("LFO", 0). */
    static juce::String getChainModuleUID (const juce::String& base, int index);

    /** Chain_To_Filter_1 for index 0. */
    static juce::String chainToFilterUID (int index);

    //==============================================================================
    TavelinAudioProcessor();
    ~TavelinAudioProcessor() override;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;
    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    //==============================================================================
    /** The steps of the undo history (getUndoHistory() makes them). */
    juce::UndoManager undoManager;

    /** The parameter store: attachments, parameter listeners. Whole states (presets, chunks) go
        through copyState() and loadPreset().
    */
    juce::AudioProcessorValueTreeState valueTreeState;

    /** The MIDI map, which MIDI learn, map files and the state chunk edit through its calls (any
        thread but the audio thread), and the last controller the audio thread received.
    */
    velk::CCMapper ccMapper;

    /** The randomizer's groups and its generator (which the editor may reseed). */
    velk::ParametersRandomizer parametersRandomizer;

    /** The randomizer's amount, 0 to 1; not a parameter, not saved. */
    float randomizeAmount = 1.0f;

    /** The identifier lists by which controls bind to parameters. */
    const velk::ParameterLayout& getParameterLayout() const noexcept { return layout; }

    /** The matrix: its modulators, targets and cell identifiers, and its reset. */
    velk::ModulationsManager& getModulationsManager() noexcept { return signalPath.getModulations(); }
    const velk::ModulationsManager& getModulationsManager() const noexcept { return signalPath.getModulations(); }

    /** The preferences tree ("UI_Scale", "Scope_Colour", "Scope_Enabled") and the editor's scale. */
    velk::Preferences& getPreferences() noexcept { return preferences; }
    const velk::Preferences& getPreferences() const noexcept { return preferences; }

    /** "ModsBuffer" and the scope's 256 values, as the last refreshEditorReadouts() left them. */
    const velk::EditorReadouts& getReadouts() const noexcept { return readouts; }

    /** Copies what the audio thread measured into the read-outs. A timer does this every 50 ms;
        call it to read them fresher.
    */
    void refreshEditorReadouts();

    /** The name and path of the preset last loaded or saved; any thread but the audio thread. */
    velk::CurrentPreset& getCurrentPreset() noexcept { return currentPreset; }
    const velk::CurrentPreset& getCurrentPreset() const noexcept { return currentPreset; }

    /** The program change the audio thread posted (the editor's timer takes it while an editor
        is open), and the list of program-change presets.
    */
    velk::ProgramChangeRequest& getProgramChangeRequest() noexcept { return programChangeRequest; }
    const velk::ProgramChangeRequest& getProgramChangeRequest() const noexcept { return programChangeRequest; }

    /** The whole parameter state as a preset file holds it, every value as it is now. Any
        thread but the audio thread.
    */
    juce::ValueTree copyState() const;

    /** The window that stands in for the editor's in a host that keeps hold of the editor's
        window after closing it (Ardour); an editor passes it through the host's window once it is
        in there itself. It lives as long as the processor, as the host's memory outlives editors.
    */
    velk::EditorWindowStandIn& getEditorWindowStandIn() noexcept { return editorWindowStandIn; }

    /** Loads a preset file: read and parsed here, then put in place with processing suspended
        and, unless told to keep them, the modules' memories silenced. Names the current preset
        after the file and clears the undo history; a file that does not load changes nothing.
        Use it for every load the user makes: the browser, previous and next.
    */
    juce::Result loadPreset (const juce::File& file,
                             velk::PresetLoader::ModuleMemories memories = velk::PresetLoader::ModuleMemories::clear);

    /** Takes a waiting program change and loads its preset on the same road; controllers that
        came with or after the program change win over the preset. The editor's timer calls it.
    */
    void loadRequestedProgramChange();

    /** With no editor open: loads the preset of a waiting program change. The same timer calls
        it every 50 ms; while an editor is open the request is the editor's.
    */
    void loadPendingProgramChange();

    /** The user's undo history: a step for each gesture on a control and each of the editor's
        actions, undone and redone through undo() and redo().
    */
    velk::UndoHistory& getUndoHistory() noexcept { return undoHistory; }
    void undo();
    void redo();

    /** Every load, once its preset's values are in place (tests watch loads through it). */
    velk::PresetLoader& getPresetLoader() noexcept { return presetLoader; }

private:
    //==============================================================================
    velk::ScopedCrashHandler crashHandler{ velk::pluginCrashHandler };
    velk::SignalPath signalPath{ valueTreeState };
    velk::ParameterLayout layout{ valueTreeState, signalPath, parametersRandomizer };
    velk::Preferences preferences;
    velk::EditorReadouts readouts{ signalPath.getModulations().getTargetNames() };
    velk::CurrentPreset currentPreset;
    velk::ProgramChangeRequest programChangeRequest;
    velk::StateGuard stateGuard{ *this, valueTreeState };
    velk::UndoHistory undoHistory{ undoManager, stateGuard, valueTreeState };
    velk::PresetLoader presetLoader{ stateGuard, undoHistory, valueTreeState, signalPath, ccMapper, currentPreset, programChangeRequest };
    velk::PluginState pluginState{ stateGuard, ccMapper, currentPreset };
    velk::MidiBlockSummary blockMidi;
    velk::EditorWindowStandIn editorWindowStandIn;

    velk::ValueTreeWatcher preferencesWatcher{ preferences.tree, [this]
                                               { signalPath.setScopeEnabled (preferences.isScopeEnabled()); } };
    velk::PeriodicCallback messageThreadWork{ [this]
                                              {
        refreshEditorReadouts();
        loadPendingProgramChange();
    } };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TavelinAudioProcessor)
};
