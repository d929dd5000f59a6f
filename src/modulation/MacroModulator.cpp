#include "modulation/MacroModulator.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterText.h"

#include <algorithm>

namespace velk
{
namespace
{
    constexpr float percentToFraction = 0.01f;

    // The macros are the user's own hands on the matrix: the randomizer leaves them alone.
    constexpr std::array<ParameterSpec, 1> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Offset", " Offset", "%", percentRange, 0.0f, getPercentParameterText, 0, false, true },
    } };

    constexpr float maximumOffset = parameterRows[0].range.end;
} // namespace

MacroModulator::MacroModulator (const juce::String& macroUid)
    : Modulator (macroUid, parameterRows)
{
}

MacroModulator::~MacroModulator() = default;

//==============================================================================
void MacroModulator::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    offsetParameterValue = createParameters (store)[0];
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

void MacroModulator::renderFrames (float* outputs, int numFrames)
{
    if (modsActive)
    {
        Modulator::renderFrames (outputs, numFrames);
        return;
    }

    std::fill (outputs, outputs + numFrames, offsetValue);
    value = offsetValue;
}

void MacroModulator::skipFrames (int numFrames)
{
    if (modsActive)
        Modulator::skipFrames (numFrames);
    else
        value = offsetValue;
}
} // namespace velk
