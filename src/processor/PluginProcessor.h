#pragma once

#include "effects/AudioEffectModulesChain.h"
#include "effects/DCBlockerModule.h"
#include "effects/ParameterRamp.h"
#include "effects/SVFSingleOutModule.h"
#include "modulation/ModulationsManager.h"
#include "modulation/TempoInfo.h"
#include "platform/ScopedCrashHandler.h"
#include "processor/CCMapper.h"
#include "processor/ChainRouting.h"
#include "processor/MidiBlockSummary.h"
#include "processor/ParametersRandomizer.h"
#include "processor/PeriodicCallback.h"
#include "processor/ScopeRing.h"
#include "processor/TargetDepthReadout.h"
#include "processor/ValueTreeWatcher.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <initializer_list>
#include <memory>

/** The processor that the host drives through JUCE's VST2 wrapper: the owner of every module,
    modulator, value tree and service of the plug-in, and the audio path through them.

    Its public members are what the editor reads and writes on the message thread. Members that
    the audio thread also touches are either atomics or are handed over without a lock (the MIDI
    map through the CC mapper, the program-change list, the scope and the modulation read-out).
*/
class TavelinAudioProcessor : public juce::AudioProcessor
{
public:
    //==============================================================================
    static const juce::String uiScaleFactorProperty;
    static const juce::String versionProperty;
    static const juce::String scopeColourProperty;
    static const juce::String scopeEnabledProperty;
    static const juce::String lfoModuleUid;
    static const juce::String macroModuleUid;
    static const juce::String delayModuleUid;
    static const juce::String pitchShifterModuleUid;
    static const juce::String gainerModuleUid;
    static const juce::String pannerModuleUid;
    static const juce::String filterModuleUid;
    static const juce::String chainByPassUidBase;
    static const juce::String chain2SerialUid;
    static const juce::String chain3SerialUid;
    static const juce::String chainFilterRoutingUidBase;
    static const juce::String presetNameXmlTag;
    static const juce::String presetNameXmlAttribute;

    static constexpr int numChains = velk::ChainRouting::numChains;
    static constexpr int numLfos = 4;
    static constexpr int numMacros = 3;
    static constexpr int numChainParameterLists = 12;
    static constexpr int numLfoParameterLists = 6;
    static constexpr int numChainTargetsPerChain = 6;
    static constexpr int numChainTargetLists = numChains * numChainTargetsPerChain;
    static constexpr int numScopeValues = velk::ScopeRing::numValues;
    static constexpr int scopeDecimation = 16;

    //==============================================================================
    TavelinAudioProcessor();
    ~TavelinAudioProcessor() override;

    //==============================================================================
    const juce::String getName() const override;

    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    using juce::AudioProcessor::processBlock;

    double getTailLengthSeconds() const override;
    bool acceptsMidi() const override;
    bool producesMidi() const override;

    //==============================================================================
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
    /** base + "_" + (index + 1): LFO_1 for ("LFO", 0). */
    static juce::String getChainModuleUID (const juce::String& base, int index);

    /** Chain_To_Filter_1 for index 0. */
    static juce::String chainToFilterUID (int index);

    /** The parameters that construction sets to the top of their range before the start-up
        preset, in the order they are set and announced: chain 2's and chain 3's bypass switches,
        then chain 1's gain.
    */
    std::array<juce::RangedAudioParameter*, 3> getStartUpParameters() const;

    /** Message thread: copies the modulation depths and the scope values that the audio thread
        measured into `modsBuffer` and `scopeBuffer`. A timer does this every 50 ms; call it to
        read them fresher.
    */
    void refreshEditorReadouts();

    /** Message thread, with no editor open: loads the preset of the MIDI program change that
        the audio thread left in `pendingProgramChange`, with processing suspended meanwhile.
        The same timer calls it every 50 ms; while an editor is open the request is the
        editor's.
    */
    void loadPendingProgramChange();

    //==============================================================================
    std::array<juce::StringArray, numChainParameterLists> chainParameterUIDs;
    juce::StringArray chainBypassUIDs;
    juce::String filterModeParameterUID;
    juce::String filterCutoffParameterUID;
    juce::String filterResonanceParameterUID;
    juce::String dryWetParameterUID;
    juce::String globalGainParameterUID;
    std::array<juce::StringArray, numLfoParameterLists> lfoParameterUIDs;
    juce::StringArray macroParameterUIDs;
    std::array<juce::StringArray, numChainTargetLists> chainTargetMatrixUIDs;

    /** A MIDI program change waiting for the message thread (the editor's timer, or
        loadPendingProgramChange() with no editor open); the number is written before the flag.
    */
    std::atomic<bool> pendingProgramChange{ false };
    std::atomic<int> pendingProgramNumber{ 0 };

    /** The program-change preset file names; assign a new scan to replace them. */
    juce::StringArray midiPresetFileNames;

    /** The oscilloscope's values, newest first (refreshed by refreshEditorReadouts()). */
    juce::Array<float> scopeBuffer;

    juce::UndoManager undoManager;
    juce::AudioProcessorValueTreeState valueTreeState;
    double currentSampleRate = 44100.0;

    std::unique_ptr<velk::ModulationsManager> modulationsManager;
    juce::OwnedArray<velk::AudioEffectModulesChain> effectChains;
    std::unique_ptr<velk::SVFSingleOutModule> filterModule;
    std::unique_ptr<velk::DCBlockerModule> dcBlockerModule;

    std::atomic<float>* globalGainRawValue = nullptr;
    std::atomic<float>* dryWetRawValue = nullptr;
    std::array<std::atomic<float>*, numChains> chainToFilterRawValues{};
    std::array<std::atomic<float>*, numChains> chainBypassRawValues{};
    std::atomic<float>* chain2SerialRawValue = nullptr;
    std::atomic<float>* chain3SerialRawValue = nullptr;

    velk::ParameterRamp<float> dryWetRamp{ 100.0f, 0.0f, 0 };
    velk::ParameterRamp<float> globalGainRamp{ 0.0f, 0.0f, 0 };
    int rampLengthSamples = 10;

private:
    velk::ScopedCrashHandler crashHandler;

public:
    velk::TempoInfo tempo;
    velk::CCMapper ccMapper;
    juce::ValueTree preferencesTree{ "Tavelin_Preferences" };
    std::unique_ptr<juce::PropertiesFile> preferencesFile;
    velk::ParametersRandomizer parametersRandomizer;
    float randomizeAmount = 1.0f;
    juce::String currentPresetName{ "INIT" };
    juce::String currentPresetFilePath;
    int scopeDecimationCounter = 0;
    float uiScaleFactor = 1.0f;
    juce::ValueTree modsBuffer{ "ModsBuffer" };
    int dryWetModTargetIndex = 0;

private:
    //==============================================================================
    /** Where a chain module's parameter identifiers go: lists firstList.. of chainParameterUIDs,
        and which of them the effect randomizer moves.
    */
    struct ChainModuleLists
    {
        int firstList;
        int numParameters;
        std::initializer_list<int> randomized;
    };

    velk::Modulator& addModulator (std::unique_ptr<velk::Modulator> modulator, bool followsTempo);
    void createModulators();
    void registerModule (velk::AudioEffectModule& module);
    void addChainModule (velk::AudioEffectModulesChain& chain, velk::AudioEffectModule* module, const ChainModuleLists& lists);
    void createChain (int chainIndex);
    void createFilter();
    void createOutputParameters();
    void fillMatrixLists();
    void addModsBufferProperties (const juce::StringArray& targetNames);
    void readPreferences();
    void writePreferencesBack();
    void applyStartUpValues();
    void loadStartUpPreset();

    void prepareModules (double sampleRate, int samplesPerBlock);
    void readTempo();
    void handleProgramChange (int program);
    void cleanUpModules();
    void applyControllers();
    void feedScope (const juce::AudioBuffer<float>& buffer, int numSamples);

    //==============================================================================
    velk::MidiBlockSummary blockMidi;
    velk::TargetDepthReadout modulationReadout;
    velk::ScopeRing scopeRing;
    std::atomic<bool> scopeEnabled{ true };
    velk::ValueTreeWatcher preferencesWatcher{ preferencesTree, [this]
                                               { scopeEnabled = (bool) preferencesTree[scopeEnabledProperty]; } };
    velk::PeriodicCallback readoutRefresh{ [this]
                                           {
        refreshEditorReadouts();
        loadPendingProgramChange();
    } };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TavelinAudioProcessor)
};
