#include "modulation/Modulator.h"

#include "modulation/ModulationsManager.h"

namespace velk
{
Modulator::Modulator (const juce::String& modulatorUid, ParameterTable parameters)
    : uid (modulatorUid), parameterTable (parameters)
{
}

Modulator::~Modulator() = default;

void Modulator::registerParameters (juce::AudioProcessorValueTreeState&) {}

void Modulator::precalculateForBlock()
{
    // The target count comes from registration rather than from a fresh name list, which
    // would allocate on the audio thread.
    modsActive = manager != nullptr && manager->areModsActiveForTargets (targetIndices);
}

void Modulator::renderFrames (float* outputs, int numFrames)
{
    for (int i = 0; i < numFrames; ++i)
    {
        processSingleSample (0.0f);
        outputs[i] = value;
    }
}

void Modulator::skipFrames (int numFrames)
{
    for (int i = 0; i < numFrames; ++i)
        processSingleSample (0.0f);
}

juce::StringArray Modulator::getModulationParameterNames() const
{
    return parameterTable.getModulationTargets (uid);
}

juce::String Modulator::getParameterUID (int index) const
{
    return parameterTable.getParameterUID (uid, index);
}

std::vector<std::atomic<float>*> Modulator::createParameters (juce::AudioProcessorValueTreeState& store) const
{
    return parameterTable.createParameters (store, uid);
}

void Modulator::registerModulationTargets (ModulationsManager* newManager, const juce::StringArray& names)
{
    manager = newManager;
    manager->registerTargets (names, targetIndices);
}
} // namespace velk
