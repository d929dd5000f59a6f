#include "processor/PluginProcessor.h"

#include "effects/GainerModule.h"
#include "effects/PannerModule.h"
#include "effects/PitchShifterModule.h"
#include "effects/SimpleDelayModule.h"
#include "modulation/EqualPowerCrossfade.h"
#include "modulation/LFOModulator.h"
#include "modulation/MacroModulator.h"
#include "modulation/ParameterConversions.h"
#include "modulation/ParameterCreation.h"
#include "modulation/ParameterText.h"
#include "platform/UserFileLocations.h"
#include "processor/PluginCrashLogger.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"
#include "processor/StateChunk.h"

#include <cmath>

const juce::String TavelinAudioProcessor::uiScaleFactorProperty{ "UI_Scale" };
const juce::String TavelinAudioProcessor::versionProperty{ "Version" };
const juce::String TavelinAudioProcessor::scopeColourProperty{ "Scope_Colour" };
const juce::String TavelinAudioProcessor::scopeEnabledProperty{ "Scope_Enabled" };
const juce::String TavelinAudioProcessor::lfoModuleUid{ "LFO" };
const juce::String TavelinAudioProcessor::macroModuleUid{ "Macro" };
const juce::String TavelinAudioProcessor::delayModuleUid{ "Delay" };
const juce::String TavelinAudioProcessor::pitchShifterModuleUid{ "Pitch_Shifter" };
const juce::String TavelinAudioProcessor::gainerModuleUid{ "Gainer" };
const juce::String TavelinAudioProcessor::pannerModuleUid{ "Panner" };
const juce::String TavelinAudioProcessor::filterModuleUid{ "Filter" };
const juce::String TavelinAudioProcessor::chainByPassUidBase{ "Chain_Bypass_" };
const juce::String TavelinAudioProcessor::chain2SerialUid{ "Chain2_Serial_Mode" };
const juce::String TavelinAudioProcessor::chain3SerialUid{ "Chain3_Serial_Mode" };
const juce::String TavelinAudioProcessor::chainFilterRoutingUidBase{ "Chain_To_Filter" };
const juce::String TavelinAudioProcessor::presetNameXmlTag{ "Preset_Metadata" };
const juce::String TavelinAudioProcessor::presetNameXmlAttribute{ "Preset_Name" };

namespace
{
const juce::String chainModuleUid{ "Chain" };
const juce::String dcBlockerModuleUid{ "DC" };
const juce::String stateTreeType{ "Tavelin" };
const juce::String factoryPresetName{ "Simple_Delay_BPF" };
const juce::String versionText = juce::String ("v ") + JucePlugin_VersionString;

constexpr int numModuleChannels = 2;
constexpr double rampTimeMs = 60.0;
constexpr int readoutRefreshIntervalMs = 50;
constexpr int preferencesSaveDelayMs = 3000;
constexpr float controllerToNormalised = 1.0f / 127.0f;

// The modules' memories are sized at construction with this block size and the tempo record's
// rate, and again by every prepareToPlay.
constexpr int blockSizeBeforePreparation = 512;

constexpr double minUiScale = 0.25;
constexpr double maxUiScale = 4.0;

// Positions in chainParameterUIDs of the chain's six modulation targets, in target order:
// pitch-shifter pitch and mix, delay time and mix, gain, pan.
constexpr std::array<int, TavelinAudioProcessor::numChainTargetsPerChain> chainTargetLists{ 0, 3, 4, 8, 10, 11 };

juce::NormalisableRange<float> switchRange()
{
    return { 0.0f, 1.0f, 1.0f, 1.0f };
}

/** A NaN or infinite input sample would pass through the dry path and settle for good in the
    filter, the DC blocker and every feedback memory; it is taken as silence instead.
*/
void replaceNonFiniteWithSilence (float* samples, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
        if (!std::isfinite (samples[i]))
            samples[i] = 0.0f;
}

std::atomic<float>* addSwitch (juce::AudioProcessorValueTreeState& store, const juce::String& id, const juce::String& name, float defaultValue)
{
    return velk::addFloatParameter (store, id, name, switchRange(), defaultValue, {}, nullptr);
}

/** A program-change preset is loaded with processing suspended, and processing resumes
        even when the load throws.
    */
struct ScopedSuspension
{
    explicit ScopedSuspension (juce::AudioProcessor& p)
        : processor (p) { processor.suspendProcessing (true); }
    ~ScopedSuspension() { processor.suspendProcessing (false); }

    juce::AudioProcessor& processor;
};
} // namespace

//==============================================================================
TavelinAudioProcessor::TavelinAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      valueTreeState (*this, &undoManager),
      crashHandler (velk::pluginCrashHandler),
      parametersRandomizer (valueTreeState)
{
    juce::File (velk::PresetsManager::presetsFolderPath).createDirectory();
    velk::ProgramChangeManager::getMidiPresetsFolder().createDirectory();

    modulationsManager = std::make_unique<velk::ModulationsManager> (valueTreeState, tempo);
    createModulators();

    for (int chain = 0; chain < numChains; ++chain)
        createChain (chain);

    createFilter();
    createOutputParameters();
    modulationsManager->createMatrixParameters();
    fillMatrixLists();

    scopeBuffer.insertMultiple (0, 0.0f, numScopeValues);
    valueTreeState.state = juce::ValueTree (stateTreeType);
    ccMapper.useParameters (valueTreeState);
    modulationReadout.setTargets (modsBuffer, modulationsManager->getTargetNames());

    // A host may hand over a block before it prepares the plug-in; the memories must exist then.
    prepareModules (tempo.sampleRate, blockSizeBeforePreparation);

    readPreferences();
    midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
    applyStartUpValues();
    loadStartUpPreset();

    readoutRefresh.start (readoutRefreshIntervalMs);
}

TavelinAudioProcessor::~TavelinAudioProcessor()
{
    readoutRefresh.stop();
    writePreferencesBack();
}

//==============================================================================
juce::String TavelinAudioProcessor::getChainModuleUID (const juce::String& base, int index)
{
    return base + "_" + juce::String (index + 1);
}

juce::String TavelinAudioProcessor::chainToFilterUID (int index)
{
    return getChainModuleUID (chainFilterRoutingUidBase, index);
}

std::array<juce::RangedAudioParameter*, 3> TavelinAudioProcessor::getStartUpParameters() const
{
    return { valueTreeState.getParameter (chainBypassUIDs[1]),
             valueTreeState.getParameter (chainBypassUIDs[2]),
             valueTreeState.getParameter (chainParameterUIDs[10][0]) };
}

//==============================================================================
velk::Modulator& TavelinAudioProcessor::addModulator (std::unique_ptr<velk::Modulator> modulator, bool followsTempo)
{
    modulator->registerParameters (valueTreeState);

    if (followsTempo)
        modulator->setTempo (modulationsManager->getTempo());

    const auto targetNames = modulator->getModulationParameterNames();
    modulator->registerModulationTargets (modulationsManager.get(), targetNames);
    auto& added = *modulationsManager->addModulator (std::move (modulator));
    addModsBufferProperties (targetNames);
    return added;
}

void TavelinAudioProcessor::createModulators()
{
    for (int lfoIndex = 0; lfoIndex < numLfos; ++lfoIndex)
    {
        const auto& lfo = addModulator (std::make_unique<velk::LFOModulator> (getChainModuleUID (lfoModuleUid, lfoIndex)), true);

        for (int k = 0; k < numLfoParameterLists; ++k)
            lfoParameterUIDs[(size_t) k].add (lfo.getParameterUID (k));

        // Rate, synced rate, wave, high-rate switch and high rate: everything but the sync switch.
        for (int k : { 0, 1, 3, 4, 5 })
            parametersRandomizer.addParameterToGroup (velk::ParametersRandomizer::lfoGroup, lfo.getParameterUID (k));
    }

    for (int macroIndex = 0; macroIndex < numMacros; ++macroIndex)
    {
        const auto& macro = addModulator (std::make_unique<velk::MacroModulator> (getChainModuleUID (macroModuleUid, macroIndex)), false);
        macroParameterUIDs.add (macro.getParameterUID (0));
    }
}

void TavelinAudioProcessor::registerModule (velk::AudioEffectModule& module)
{
    module.registerParameters (valueTreeState);
    module.registerModulationTargets (*modulationsManager);
    addModsBufferProperties (module.getModulationParameterNames());
}

void TavelinAudioProcessor::addChainModule (velk::AudioEffectModulesChain& chain, velk::AudioEffectModule* module, const ChainModuleLists& lists)
{
    chain.addEffectModule (module);
    registerModule (*module);

    for (int k = 0; k < lists.numParameters; ++k)
        chainParameterUIDs[(size_t) (lists.firstList + k)].add (module->getParameterUID (k));

    for (auto k : lists.randomized)
        parametersRandomizer.addParameterToGroup (velk::ParametersRandomizer::effectsGroup, module->getParameterUID (k));
}

void TavelinAudioProcessor::createChain (int chainIndex)
{
    auto& chain = *effectChains.add (new velk::AudioEffectModulesChain (getChainModuleUID (chainModuleUid, chainIndex), numModuleChannels));
    chain.registerParameters (valueTreeState);

    addChainModule (chain, new velk::PitchShifterModule (getChainModuleUID (pitchShifterModuleUid, chainIndex), numModuleChannels),
                    { 0, 4, { 0, 1, 2, 3 } });

    auto* delay = new velk::SimpleDelayModule (getChainModuleUID (delayModuleUid, chainIndex), numModuleChannels);
    addChainModule (chain, delay, { 4, 6, { 0, 1, 3, 4 } });
    delay->setTempo (&tempo);

    addChainModule (chain, new velk::GainerModule (getChainModuleUID (gainerModuleUid, chainIndex), numModuleChannels),
                    { 10, 1, {} });
    addChainModule (chain, new velk::PannerModule (getChainModuleUID (pannerModuleUid, chainIndex), numModuleChannels),
                    { 11, 1, { 0 } });

    const auto bypassUid = chainByPassUidBase + juce::String (chainIndex);
    chainBypassUIDs.add (bypassUid);
    chainBypassRawValues[(size_t) chainIndex] = addSwitch (valueTreeState, bypassUid, bypassUid, 0.0f);

    if (chainIndex == 1)
        chain2SerialRawValue = addSwitch (valueTreeState, chain2SerialUid, "Chain 2 Serial Mode", 0.0f);
    else if (chainIndex == 2)
        chain3SerialRawValue = addSwitch (valueTreeState, chain3SerialUid, "Chain 3 Serial Mode", 0.0f);
}

void TavelinAudioProcessor::createFilter()
{
    filterModule = std::make_unique<velk::SVFSingleOutModule> (filterModuleUid, numModuleChannels);
    registerModule (*filterModule);
    filterModeParameterUID = filterModule->getParameterUID (0);
    filterCutoffParameterUID = filterModule->getParameterUID (1);
    filterResonanceParameterUID = filterModule->getParameterUID (2);

    dcBlockerModule = std::make_unique<velk::DCBlockerModule> (dcBlockerModuleUid, numModuleChannels);
}

void TavelinAudioProcessor::createOutputParameters()
{
    globalGainParameterUID = "Global_Gain";
    globalGainRawValue = velk::addFloatParameter (valueTreeState, globalGainParameterUID, "Amplitude",
                                                  { -12.0f, 12.0f, 0.01f, 1.5f }, 0.0f, "dB", velk::getDecibelsParameterText);

    dryWetParameterUID = "Dry_Wet";
    dryWetRawValue = velk::addFloatParameter (valueTreeState, dryWetParameterUID, "Dry-Wet",
                                              { 0.0f, 100.0f, 0.01f, 1.0f }, 100.0f, "%", velk::getPercentParameterText);

    dryWetModTargetIndex = modulationsManager->registerTarget (dryWetParameterUID);
    addModsBufferProperties ({ dryWetParameterUID });

    for (int chain = 0; chain < numChains; ++chain)
        chainToFilterRawValues[(size_t) chain] = addSwitch (valueTreeState, chainToFilterUID (chain),
                                                            "Chain " + juce::String (chain + 1) + " to Filter", 1.0f);
}

void TavelinAudioProcessor::fillMatrixLists()
{
    juce::StringArray chainTargets;

    for (int chain = 0; chain < numChains; ++chain)
        for (auto list : chainTargetLists)
            chainTargets.add (chainParameterUIDs[(size_t) list][chain]);

    const auto& manager = *modulationsManager;

    for (int target = 0; target < manager.getNumTargets(); ++target)
    {
        for (int column = 0; column <= manager.getNumModulators(); ++column)
        {
            const auto cellUid = manager.getModMatrixParameterUID (target, column);

            for (int list = 0; list < numChainTargetLists; ++list)
            {
                if (cellUid.contains (chainTargets[list]))
                {
                    chainTargetMatrixUIDs[(size_t) list].add (cellUid);
                    break;
                }
            }

            // The chains' gains are left to the user: a random level jump is never welcome.
            if (!cellUid.contains (velk::GainerModule::gainParameterMainUIDString))
                parametersRandomizer.addParameterToGroup (velk::ParametersRandomizer::matrixGroup, cellUid);
        }
    }
}

void TavelinAudioProcessor::addModsBufferProperties (const juce::StringArray& targetNames)
{
    for (const auto& name : targetNames)
        modsBuffer.setProperty (name, 0.0, nullptr);
}

//==============================================================================
void TavelinAudioProcessor::readPreferences()
{
    juce::PropertiesFile::Options options;
    options.applicationName = JucePlugin_Name;
    options.filenameSuffix = ".prefs";
    options.folderName = JucePlugin_Manufacturer;
    options.osxLibrarySubFolder = "Application Support";
    options.commonToAllUsers = false;
    options.ignoreCaseOfKeyNames = false;
    options.doNotSave = false;
    options.millisecondsBeforeSaving = preferencesSaveDelayMs;
    options.storageFormat = juce::PropertiesFile::storeAsXML;
    options.processLock = nullptr;

    preferencesFile = std::make_unique<juce::PropertiesFile> (velk::UserFileLocations::getPreferencesFile(), options);
    auto& file = *preferencesFile;

    preferencesTree.setProperty (versionProperty, file.getValue (versionProperty), nullptr);

    if (preferencesTree[versionProperty].toString() != versionText)
    {
        preferencesTree.setProperty (versionProperty, versionText, nullptr);
        file.setValue (versionProperty, preferencesTree[versionProperty]);
    }

    // A scale the editor can't be shown at (text that is no number, zero, negative, huge) would
    // leave the user without a usable window in every project; such a value is not taken.
    const auto scale = file.getDoubleValue (uiScaleFactorProperty, 1.0);
    uiScaleFactor = std::isfinite (scale) && scale >= minUiScale && scale <= maxUiScale ? (float) scale : 1.0f;
    preferencesTree.setProperty (uiScaleFactorProperty, (double) uiScaleFactor, nullptr);
    preferencesTree.setProperty (scopeColourProperty, file.getIntValue (scopeColourProperty, 0), nullptr);
    preferencesTree.setProperty (scopeEnabledProperty, file.getBoolValue (scopeEnabledProperty, true), nullptr);
}

void TavelinAudioProcessor::writePreferencesBack()
{
    if (preferencesFile == nullptr)
        return;

    for (const auto& key : { uiScaleFactorProperty, scopeColourProperty, scopeEnabledProperty })
        preferencesFile->setValue (key, preferencesTree[key]);

    preferencesFile->saveIfNeeded();
}

void TavelinAudioProcessor::applyStartUpValues()
{
    for (auto* parameter : getStartUpParameters())
    {
        parameter->setValue (1.0f);
        parameter->sendValueChangedMessageToListeners (1.0f);
    }
}

void TavelinAudioProcessor::loadStartUpPreset()
{
    for (const auto& name : { juce::String (velk::PresetsManager::defaultPresetName), factoryPresetName })
    {
        const auto file = velk::PresetsManager::getPresetFile (name);

        if (file.existsAsFile())
        {
            velk::PresetsManager::loadPreset (file, valueTreeState);
            currentPresetFilePath = file.getFullPathName();
            currentPresetName = name;
            return;
        }
    }
}

//==============================================================================
const juce::String TavelinAudioProcessor::getName() const
{
    return JucePlugin_Name;
}

void TavelinAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    currentSampleRate = sampleRate;
    tempo.sampleRate = sampleRate;
    prepareModules (sampleRate, samplesPerBlock);
    rampLengthSamples = (int) (sampleRate * 0.001 * rampTimeMs);
}

void TavelinAudioProcessor::prepareModules (double sampleRate, int samplesPerBlock)
{
    for (auto* chain : effectChains)
        chain->prepareToPlay (sampleRate, samplesPerBlock);

    filterModule->prepareToPlay (sampleRate, samplesPerBlock);
    dcBlockerModule->prepareToPlay (sampleRate, samplesPerBlock);

    for (int m = 0; m < modulationsManager->getNumModulators(); ++m)
        modulationsManager->getModulator (m)->prepareToPlay (sampleRate, samplesPerBlock);
}

void TavelinAudioProcessor::releaseResources()
{
}

bool TavelinAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    return layouts.getMainInputChannelSet() == juce::AudioChannelSet::stereo()
           && layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void TavelinAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    const juce::ScopedNoDenormals noDenormals;
    const auto numChannels = juce::jmin (getTotalNumOutputChannels(), buffer.getNumChannels(), numModuleChannels);
    const auto numSamples = buffer.getNumSamples();

    readTempo();
    blockMidi.read (midi);

    if (blockMidi.program != velk::MidiBlockSummary::none)
        handleProgramChange (blockMidi.program);

    applyControllers();

    auto& manager = *modulationsManager;
    manager.refreshMatrixForBlock();
    modulationReadout.measure ([&manager] (int target)
                               { return manager.getTargetDisplayDepth (target); });

    velk::ChainRouting::Switches switches;

    for (size_t chain = 0; chain < (size_t) numChains; ++chain)
    {
        switches.bypassed[chain] = velk::isSwitchOn (chainBypassRawValues[chain]->load());
        effectChains.getUnchecked ((int) chain)->precalculateForBlock();
    }

    switches.chain2Serial = velk::isSwitchOn (chain2SerialRawValue->load());
    switches.chain3Serial = velk::isSwitchOn (chain3SerialRawValue->load());

    for (size_t chain = 0; chain < (size_t) numChains; ++chain)
        switches.toFilter[chain] = velk::isSwitchOn (chainToFilterRawValues[chain]->load());

    filterModule->precalculateForBlock();

    // The output level moves once per block, from where the ramp stood at the block's start.
    const auto outputGain = juce::Decibels::decibelsToGain (globalGainRamp.current);
    globalGainRamp.aimAt (globalGainRawValue->load(), rampLengthSamples);
    const auto dryWetKnob = dryWetRawValue->load();
    dryWetRamp.aimAt (dryWetKnob, rampLengthSamples);
    const auto dryWetModulated = manager.areModsActiveForTarget (dryWetModTargetIndex);
    const velk::ChainRouting routing (switches);

    std::array<float*, numModuleChannels> channels{};

    for (int ch = 0; ch < numChannels; ++ch)
    {
        channels[(size_t) ch] = buffer.getWritePointer (ch);
        replaceNonFiniteWithSilence (channels[(size_t) ch], numSamples);
    }

    for (int i = 0; i < numSamples; ++i)
    {
        for (int m = 0; m < manager.getNumModulators(); ++m)
            manager.getModulator (m)->processSingleSample (0.0f);

        dryWetRamp.advance();
        const auto mix = dryWetModulated ? dryWetKnob + manager.pollModulationValue (dryWetModTargetIndex) * (100.0f - dryWetKnob)
                                         : dryWetRamp.current;
        const auto amount = mix * 0.01f;
        const auto dryGain = velk::equalPowerDryGain (amount);
        const auto wetGain = velk::equalPowerWetGain (amount);

        for (int ch = 0; ch < numChannels; ++ch)
        {
            auto& sample = channels[(size_t) ch][i];
            const auto x = sample;

            const auto outputs = routing.runChains (x, [this, ch] (int chainIndex, float input)
                                                    {
                                                        auto& chain = *effectChains.getUnchecked (chainIndex);

                                                        if (ch == 0)
                                                            chain.calc();

                                                        return chain.processSingleSample (input, ch); });

            if (ch == 0)
                filterModule->calc();

            const auto wet = routing.mixWet (x, outputs, [this, ch] (float input)
                                             { return filterModule->processSingleSample (input, ch); });
            sample = (wet * outputGain) * wetGain + x * dryGain;
        }
    }

    dcBlockerModule->processBlock (buffer, midi, numSamples);
    feedScope (buffer, numSamples);
    globalGainRamp.advance (numSamples);
}

void TavelinAudioProcessor::readTempo()
{
    // Without a position (no time info from the host), or without a usable tempo in it, the
    // last tempo stays.
    if (auto* hostPlayHead = getPlayHead())
        if (const auto position = hostPlayHead->getPosition())
            tempo.setBpm (position->getBpm().orFallback (0.0));
}

void TavelinAudioProcessor::handleProgramChange (int program)
{
    // The preset is loaded on the message thread, by the editor's timer while the editor is
    // open and by loadPendingProgramChange() otherwise. Replacing the parameter state here
    // would race with the editor's undo and redo on the store's undo history, and would read a
    // file, allocate and wait for the store's lock on the audio thread.
    pendingProgramNumber = program;
    pendingProgramChange = true;
}

void TavelinAudioProcessor::loadPendingProgramChange()
{
    if (getActiveEditor() != nullptr || !pendingProgramChange.exchange (false))
        return;

    const auto file = velk::ProgramChangeManager::getPresetFileForMIDIProgramChange (midiPresetFileNames, pendingProgramNumber);

    if (file.existsAsFile())
    {
        // Suspending waits for a block in progress and keeps the next ones out of the modules.
        const ScopedSuspension suspension (*this);
        velk::PresetsManager::loadPreset (file, valueTreeState);
        cleanUpModules();
    }
}

void TavelinAudioProcessor::cleanUpModules()
{
    for (auto* chain : effectChains)
        chain->cleanUp();

    filterModule->cleanUp();
    dcBlockerModule->cleanUp();
}

void TavelinAudioProcessor::applyControllers()
{
    if (!blockMidi.anyController)
        return;

    ccMapper.lastReceivedCC = blockMidi.lastController;

    ccMapper.readRoutes ([this] (const velk::CCMapSnapshot& routes)
                         {
                             if (routes.isEmpty())
                                 return;

                             for (int controller = 0; controller < velk::MidiBlockSummary::numControllers; ++controller)
                             {
                                 const auto value = blockMidi.controllerValues[(size_t) controller];

                                 if (value == velk::MidiBlockSummary::none)
                                     continue;

                                 const auto normalised = (float) value * controllerToNormalised;

                                 for (auto* parameter : routes.getParametersForController (controller))
                                 {
                                     parameter->beginChangeGesture();
                                     parameter->setValue (normalised);
                                     parameter->sendValueChangedMessageToListeners (normalised);
                                     parameter->endChangeGesture();
                                 }
                             } });
}

void TavelinAudioProcessor::feedScope (const juce::AudioBuffer<float>& buffer, int numSamples)
{
    if (!scopeEnabled.load (std::memory_order_relaxed) || buffer.getNumChannels() == 0)
        return;

    const auto* left = buffer.getReadPointer (0);
    const auto* right = buffer.getReadPointer (juce::jmin (1, buffer.getNumChannels() - 1));

    for (int i = 0; i < numSamples; ++i)
    {
        if (scopeDecimationCounter == 0)
            scopeRing.push ((left[i] + right[i]) * 0.5f);

        if (++scopeDecimationCounter == scopeDecimation)
            scopeDecimationCounter = 0;
    }
}

void TavelinAudioProcessor::refreshEditorReadouts()
{
    modulationReadout.publishTo (modsBuffer);
    scopeRing.copyNewestFirst (scopeBuffer);
}

//==============================================================================
double TavelinAudioProcessor::getTailLengthSeconds() const
{
    return 0.0;
}

bool TavelinAudioProcessor::acceptsMidi() const
{
    return true;
}

bool TavelinAudioProcessor::producesMidi() const
{
    return false;
}

//==============================================================================
juce::AudioProcessorEditor* TavelinAudioProcessor::createEditor()
{
    return nullptr;
}

bool TavelinAudioProcessor::hasEditor() const
{
    return false;
}

int TavelinAudioProcessor::getNumPrograms()
{
    return 1;
}

int TavelinAudioProcessor::getCurrentProgram()
{
    return 0;
}

void TavelinAudioProcessor::setCurrentProgram (int)
{
}

const juce::String TavelinAudioProcessor::getProgramName (int)
{
    return {};
}

void TavelinAudioProcessor::changeProgramName (int, const juce::String&)
{
}

//==============================================================================
void TavelinAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    auto xml = valueTreeState.copyState().createXml();

    if (xml == nullptr)
        xml = std::make_unique<juce::XmlElement> (stateTreeType);

    if (ccMapper.midiMap.isValid())
        xml->addChildElement (ccMapper.midiMap.createXml().release());

    xml->createNewChildElement (presetNameXmlTag)->setAttribute (presetNameXmlAttribute, currentPresetName);
    velk::StateChunk::write (*xml, destData);
}

void TavelinAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    const auto xml = velk::StateChunk::read (data, sizeInBytes);

    if (xml == nullptr)
        return;

    if (const auto map = velk::StateChunk::takeFirstChildNamed (*xml, velk::CCMapper::midiMapTag.toString()))
        ccMapper.loadMapFromXml (*map);

    if (const auto metadata = velk::StateChunk::takeFirstChildNamed (*xml, presetNameXmlTag))
        currentPresetName = metadata->getStringAttribute (presetNameXmlAttribute);

    valueTreeState.replaceState (velk::PresetsManager::createParameterTree (*xml));
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TavelinAudioProcessor();
}
