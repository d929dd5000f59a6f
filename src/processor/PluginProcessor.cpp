#include "processor/PluginProcessor.h"

#include "editor/PluginEditor.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"

namespace
{
constexpr int messageThreadWorkIntervalMs = 50;

// The modules' memories are sized at construction with this block size and the tempo record's
// rate, and again by every prepareToPlay: a host may hand over a block before it prepares us.
constexpr int blockSizeBeforePreparation = 512;
} // namespace

//==============================================================================
juce::String TavelinAudioProcessor::getChainModuleUID (const juce::String& base, int index)
{
    return velk::ParameterLayout::getChainModuleUID (base, index);
}

juce::String TavelinAudioProcessor::chainToFilterUID (int index)
{
    return velk::ParameterLayout::chainToFilterUID (index);
}

//==============================================================================
TavelinAudioProcessor::TavelinAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      // The store keeps no history of its own: its tree takes every change from every thread,
      // and the user's steps are the editor's alone (UndoHistory).
      valueTreeState (*this, nullptr),
      parametersRandomizer (valueTreeState)
{
    juce::File (velk::PresetsManager::presetsFolderPath).createDirectory();
    velk::ProgramChangeManager::getMidiPresetsFolder().createDirectory();

    valueTreeState.state = juce::ValueTree (velk::PluginState::stateTreeType);
    signalPath.attachParameters (valueTreeState, layout);
    signalPath.setScopeEnabled (preferences.isScopeEnabled());
    signalPath.prepareMemories (signalPath.getTempo().sampleRate, blockSizeBeforePreparation);
    ccMapper.useParameters (valueTreeState);

    programChangeRequest.midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
    presetLoader.loadStartUpPreset (layout);

    messageThreadWork.start (messageThreadWorkIntervalMs);
}

TavelinAudioProcessor::~TavelinAudioProcessor()
{
    messageThreadWork.stop();
}

//==============================================================================
const juce::String TavelinAudioProcessor::getName() const
{
    return JucePlugin_Name;
}

void TavelinAudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    // A host may prepare on a thread of its own while the message thread loads a preset.
    stateGuard.changeMemories ([&]
                               { signalPath.prepare (sampleRate, samplesPerBlock); });
}

void TavelinAudioProcessor::releaseResources()
{
    // The memories stay as prepared: a host may hand over a block before it prepares again.
}

bool TavelinAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    return layouts.getMainInputChannelSet() == juce::AudioChannelSet::stereo()
           && layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void TavelinAudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    const juce::ScopedNoDenormals noDenormals;

    signalPath.followTempo (getPlayHead());
    blockMidi.read (midi);

    // The preset is loaded on the message thread: replacing the parameter state here would read
    // a file, allocate, wait for the store's lock and race with the editor's undo history. The
    // controllers from this block on are kept to win over the preset, as they would if it were
    // loaded right here.
    if (blockMidi.program != velk::MidiBlockSummary::none)
    {
        programChangeRequest.post (blockMidi.program);
        ccMapper.holdControllersForPresetLoad();
    }

    ccMapper.apply (blockMidi);
    signalPath.refreshModulation();
    readouts.measure (signalPath.getModulations());
    signalPath.process (buffer, midi);
}

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
void TavelinAudioProcessor::refreshEditorReadouts()
{
    readouts.publish (signalPath.getScope());
}

juce::ValueTree TavelinAudioProcessor::copyState() const
{
    return stateGuard.readState();
}

juce::Result TavelinAudioProcessor::loadPreset (const juce::File& file, velk::PresetLoader::ModuleMemories memories)
{
    return presetLoader.load (file, memories);
}

void TavelinAudioProcessor::loadRequestedProgramChange()
{
    presetLoader.loadRequestedProgramChange();
}

void TavelinAudioProcessor::loadPendingProgramChange()
{
    if (getActiveEditor() == nullptr)
        loadRequestedProgramChange();
}

//==============================================================================
juce::AudioProcessorEditor* TavelinAudioProcessor::createEditor()
{
    return new TavelinAudioProcessorEditor (*this);
}

bool TavelinAudioProcessor::hasEditor() const
{
    return true;
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

void TavelinAudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    pluginState.write (destData);
}

void TavelinAudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    // The steps before a restored state were made on a sound that is gone.
    if (pluginState.read (data, sizeInBytes))
        undoHistory.clearBeforeNextUse();
}

void TavelinAudioProcessor::undo()
{
    undoHistory.undo();
}

void TavelinAudioProcessor::redo()
{
    undoHistory.redo();
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TavelinAudioProcessor();
}
