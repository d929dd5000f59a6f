#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace tavelin::test
{
/** The smallest processor a parameter store can be bound to: stereo in and out, no audio
    work, no editor, one program.
*/
class TestAudioProcessor : public juce::AudioProcessor
{
public:
    TestAudioProcessor()
        : juce::AudioProcessor (BusesProperties()
                                    .withInput ("Input", juce::AudioChannelSet::stereo())
                                    .withOutput ("Output", juce::AudioChannelSet::stereo()))
    {
    }

    const juce::String getName() const override { return "Test"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    using juce::AudioProcessor::processBlock;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TestAudioProcessor)
};

/** A parameter store on its own test processor. Create the parameters, then call
    finishCreatingParameters() (the store refuses new parameters once its state is set).
*/
struct TestParameterStore
{
    void finishCreatingParameters() { store.state = juce::ValueTree ("Tavelin"); }

    /** Sets a parameter to a value in its own range, as the host or the editor would. */
    void set (const juce::String& identifier, float value)
    {
        auto* parameter = store.getParameter (identifier);
        jassert (parameter != nullptr);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    }

    TestAudioProcessor processor;
    juce::AudioProcessorValueTreeState store{ processor, nullptr };
};
} // namespace tavelin::test
