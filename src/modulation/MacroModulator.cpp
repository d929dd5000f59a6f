#include "modulation/MacroModulator.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterCreation.h"
#include "parameters/ParameterText.h"

namespace velk
{
namespace
{
    constexpr float percentToFraction = 0.01f;
    constexpr float maximumOffset = 100.0f;
} // namespace

MacroModulator::MacroModulator (const juce::String& macroUid)
    : Modulator (macroUid)
{
}

MacroModulator::~MacroModulator() = default;

//==============================================================================
void MacroModulator::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    offsetParameterValue = addFloatParameter (store, getParameterUID (0), uid + " Offset",
                                              { 0.0f, maximumOffset, 0.01f, 1.0f }, 0.0f,
                                              "%", getPercentParameterText);
}

void MacroModulator::prepareToPlay (double, int)
{
}

void MacroModulator::processBlock (const juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
    // The audio loop steps every modulator sample by sample; there is no block path.
}

void MacroModulator::precalculateForBlock()
{
    offsetValue = offsetParameterValue->load() * percentToFraction;
    Modulator::precalculateForBlock();
}

void MacroModulator::processSingleSample (float)
{
    if (modsActive)
    {
        const auto offset = offsetParameterValue->load();
        const auto modulation = manager->pollModulationValue (targetIndices[0]);
        offsetValue = (offset + (maximumOffset - offset) * modulation) * percentToFraction;
    }

    value = offsetValue;
}

//==============================================================================
juce::StringArray MacroModulator::getModulationParameterNames() const
{
    return { getParameterUID (0) };
}

juce::String MacroModulator::getParameterUID (int index) const
{
    return index == 0 ? uid + "_Offset" : juce::String();
}
} // namespace velk
