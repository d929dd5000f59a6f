#include "processor/PluginProcessor.h"

TavelinAudioProcessor::TavelinAudioProcessor()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
}

TavelinAudioProcessor::~TavelinAudioProcessor() = default;

//==============================================================================
void TavelinAudioProcessor::prepareToPlay (double, int)
{
}

void TavelinAudioProcessor::releaseResources()
{
}

bool TavelinAudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    return layouts.getMainInputChannelSet() == juce::AudioChannelSet::stereo()
           && layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void TavelinAudioProcessor::processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
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

//==============================================================================
const juce::String TavelinAudioProcessor::getName() const
{
    return JucePlugin_Name;
}

bool TavelinAudioProcessor::acceptsMidi() const
{
    return true;
}

bool TavelinAudioProcessor::producesMidi() const
{
    return false;
}

bool TavelinAudioProcessor::isMidiEffect() const
{
    return false;
}

double TavelinAudioProcessor::getTailLengthSeconds() const
{
    return 0.0;
}

//==============================================================================
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
void TavelinAudioProcessor::getStateInformation (juce::MemoryBlock&)
{
}

void TavelinAudioProcessor::setStateInformation (const void*, int)
{
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TavelinAudioProcessor();
}
