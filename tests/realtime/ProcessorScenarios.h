#pragma once

#include "processor/PluginProcessor.h"

#include <stdexcept>
#include <string>

namespace velk::test
{
/** The parameter settings in which the real-time tests and the processor benchmarks run the
    processor: as constructed, with all three chains busy, and with all of that modulated.
*/
enum class Scenario
{
    startUp,
    allChains,
    fullyModulated
};

inline const char* getScenarioName (Scenario scenario)
{
    switch (scenario)
    {
        case Scenario::startUp:
            return "StartUp";
        case Scenario::allChains:
            return "AllChains";
        case Scenario::fullyModulated:
            return "FullyModulated";
    }

    return "";
}

/** Sets a parameter in its own units, as a host would. */
inline void setParameter (TavelinAudioProcessor& processor, const juce::String& id, float value)
{
    auto* parameter = processor.valueTreeState.getParameter (id);

    if (parameter == nullptr)
        throw std::runtime_error ("no parameter " + id.toStdString());

    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

/** Three active chains, chain 2 serial and chain 3 parallel; pitch +7, -7 and +12; delays of
    120, 250 and 375 ms with 50 % feedback, ping-pong on chain 2; every chain through the
    band-pass filter; dry/wet 70 %.
*/
inline void applyAllChains (TavelinAudioProcessor& processor)
{
    constexpr float pitches[] = { 7.0f, -7.0f, 12.0f };
    constexpr float delayTimes[] = { 120.0f, 250.0f, 375.0f };

    for (int chain = 0; chain < TavelinAudioProcessor::numChains; ++chain)
    {
        const auto index = (size_t) chain;
        const auto number = juce::String (chain + 1);
        setParameter (processor, processor.getParameterLayout().chainBypassUIDs[chain], 0.0f);
        setParameter (processor, "Pitch_Shifter_" + number + "_Pitch", pitches[index]);
        setParameter (processor, "Pitch_Shifter_" + number + "_Mix", 100.0f);
        setParameter (processor, "Delay_" + number + "_Time", delayTimes[index]);
        setParameter (processor, "Delay_" + number + "_Feed", 50.0f);
        setParameter (processor, "Delay_" + number + "_Mix", 50.0f);
        setParameter (processor, "Delay_" + number + "_PingPong", chain == 1 ? 1.0f : 0.0f);
        setParameter (processor, TavelinAudioProcessor::chainToFilterUID (chain), 1.0f);
    }

    setParameter (processor, TavelinAudioProcessor::chain2SerialUid, 1.0f);
    setParameter (processor, TavelinAudioProcessor::chain3SerialUid, 0.0f);
    setParameter (processor, processor.getParameterLayout().filterModeParameterUID, 2.0f);
    setParameter (processor, processor.getParameterLayout().dryWetParameterUID, 70.0f);
}

/** Every one of the matrix targets driven at 50 % by one of the modulators in turn, the LFOs
    running at different rates and waves, the macros away from zero.
*/
inline void applyFullModulation (TavelinAudioProcessor& processor)
{
    const auto& manager = processor.getModulationsManager();
    const auto numModulators = manager.getNumModulators();

    for (int target = 0; target < manager.getNumTargets(); ++target)
    {
        setParameter (processor, manager.getModMatrixParameterUID (target, target % numModulators), 50.0f);
        setParameter (processor, manager.getModMatrixParameterUID (target, numModulators), 100.0f);
    }

    for (int lfo = 0; lfo < TavelinAudioProcessor::numLfos; ++lfo)
    {
        setParameter (processor, processor.getParameterLayout().lfoParameterUIDs[0][lfo], 0.7f + 1.3f * (float) lfo);
        setParameter (processor, processor.getParameterLayout().lfoParameterUIDs[3][lfo], (float) lfo);
    }

    for (int macro = 0; macro < TavelinAudioProcessor::numMacros; ++macro)
        setParameter (processor, processor.getParameterLayout().macroParameterUIDs[macro], 25.0f + 25.0f * (float) macro);
}

inline void applyScenario (TavelinAudioProcessor& processor, Scenario scenario)
{
    if (scenario == Scenario::startUp)
        return;

    applyAllChains (processor);

    if (scenario == Scenario::fullyModulated)
        applyFullModulation (processor);
}
} // namespace velk::test
