#include "ServicesTestProcessor.h"

namespace tavelin::test
{
namespace
{
    using Parameter = juce::AudioProcessorValueTreeState::Parameter;

    std::unique_ptr<Parameter> makeParameter (const char* id, juce::NormalisableRange<float> range, float defaultValue)
    {
        return std::make_unique<Parameter> (juce::ParameterID{ id, 1 }, id, range, defaultValue);
    }

    juce::AudioProcessorValueTreeState::ParameterLayout createLayout()
    {
        using P = ServicesTestProcessor;
        juce::AudioProcessorValueTreeState::ParameterLayout layout;
        layout.add (makeParameter (P::pan, { 0.0f, 100.0f, 0.01f }, 50.0f));
        layout.add (makeParameter (P::delayTime, { 1.0f, 2000.0f, 0.01f }, 300.0f));
        layout.add (makeParameter (P::lfoRate, { 0.01f, 20.0f, 0.0f, 0.5f }, 1.0f));
        layout.add (makeParameter (P::lfoWave, { 0.0f, 6.0f, 1.0f }, 0.0f));
        layout.add (makeParameter (P::highRateEnable, { 0.0f, 1.0f, 1.0f }, 0.0f));
        layout.add (makeParameter (P::panDepth, { -100.0f, 100.0f, 0.01f }, 0.0f));
        layout.add (makeParameter (P::timeDepth, { -100.0f, 100.0f, 0.01f }, 0.0f));
        layout.add (makeParameter (P::panScale, { 0.0f, 100.0f, 0.01f }, 100.0f));
        return layout;
    }
} // namespace

const juce::StringArray ServicesTestProcessor::parameterIDs{ pan, delayTime, lfoRate, lfoWave, highRateEnable, panDepth, timeDepth, panScale };

ServicesTestProcessor::ServicesTestProcessor()
    : store (*this, &undoManager, "Tavelin", createLayout())
{
}

float ServicesTestProcessor::getPlainValue (const juce::String& parameterID) const
{
    return store.getRawParameterValue (parameterID)->load();
}

void ServicesTestProcessor::setPlainValue (const juce::String& parameterID, float value)
{
    auto* parameter = store.getParameter (parameterID);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}
} // namespace tavelin::test
