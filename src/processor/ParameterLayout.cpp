#include "processor/ParameterLayout.h"

#include "effects/GainerModule.h"
#include "modulation/LFOModulator.h"
#include "modulation/MacroModulator.h"
#include "processor/SignalPath.h"

namespace velk
{
const juce::String ParameterLayout::lfoModuleUid{ "LFO" };
const juce::String ParameterLayout::macroModuleUid{ "Macro" };
const juce::String ParameterLayout::pitchShifterModuleUid{ "Pitch_Shifter" };
const juce::String ParameterLayout::delayModuleUid{ "Delay" };
const juce::String ParameterLayout::gainerModuleUid{ "Gainer" };
const juce::String ParameterLayout::pannerModuleUid{ "Panner" };
const juce::String ParameterLayout::filterModuleUid{ "Filter" };
const juce::String ParameterLayout::chainModuleUid{ "Chain" };
const juce::String ParameterLayout::dcBlockerModuleUid{ "DC" };
const juce::String ParameterLayout::chainByPassUidBase{ "Chain_Bypass_" };
const juce::String ParameterLayout::chain2SerialUid{ "Chain2_Serial_Mode" };
const juce::String ParameterLayout::chain3SerialUid{ "Chain3_Serial_Mode" };
const juce::String ParameterLayout::chainFilterRoutingUidBase{ "Chain_To_Filter" };

namespace
{
    template <typename Module>
    void registerWithMatrix (Module& module, juce::AudioProcessorValueTreeState& store, ModulationsManager& modulations)
    {
        module.registerParameters (store);
        module.registerModulationTargets (modulations);
    }
} // namespace

//==============================================================================
juce::String ParameterLayout::getChainModuleUID (const juce::String& base, int index)
{
    return base + "_" + juce::String (index + 1);
}

juce::String ParameterLayout::chainToFilterUID (int index)
{
    return getChainModuleUID (chainFilterRoutingUidBase, index);
}

juce::String ParameterLayout::chainBypassUID (int index)
{
    return chainByPassUidBase + juce::String (index);
}

//==============================================================================
ParameterLayout::ParameterLayout (juce::AudioProcessorValueTreeState& store, SignalPath& signalPath, ParametersRandomizer& randomizer)
{
    auto& modulations = signalPath.getModulations();

    createModulators (store, modulations);
    createSignalPathParameters (store, modulations, signalPath);
    modulations.createMatrixParameters();

    fillModulatorLists (modulations, randomizer);
    fillSignalPathLists (signalPath, randomizer);
    fillMatrixLists (modulations, randomizer);
}

void ParameterLayout::createModulators (juce::AudioProcessorValueTreeState& store, ModulationsManager& modulations)
{
    const auto add = [&] (std::unique_ptr<Modulator> modulator)
    {
        modulator->registerParameters (store);
        modulator->registerModulationTargets (&modulations, modulator->getModulationParameterNames());
        modulations.addModulator (std::move (modulator));
    };

    for (int lfo = 0; lfo < numLfos; ++lfo)
    {
        auto modulator = std::make_unique<LFOModulator> (getChainModuleUID (lfoModuleUid, lfo));
        modulator->setTempo (modulations.getTempo());
        add (std::move (modulator));
    }

    for (int macro = 0; macro < numMacros; ++macro)
        add (std::make_unique<MacroModulator> (getChainModuleUID (macroModuleUid, macro)));
}

void ParameterLayout::createSignalPathParameters (juce::AudioProcessorValueTreeState& store, ModulationsManager& modulations,
                                                  SignalPath& signalPath)
{
    for (int chainIndex = 0; chainIndex < numChains; ++chainIndex)
    {
        const auto& chain = signalPath.getChain (chainIndex);

        for (int module = 0; module < chain.getNumModules(); ++module)
            registerWithMatrix (*chain.getModule (module), store, modulations);

        addSwitch (store, chainBypassUID (chainIndex), chainBypassUID (chainIndex), false);

        if (chainIndex == 1)
            addSwitch (store, chain2SerialUid, "Chain 2 Serial Mode", false);
        else if (chainIndex == 2)
            addSwitch (store, chain3SerialUid, "Chain 3 Serial Mode", false);
    }

    registerWithMatrix (signalPath.getFilter(), store, modulations);

    const auto& outputs = SignalPath::outputParameters;
    outputs.createParameters (store, {});

    for (const auto& target : outputs.getModulationTargets ({}))
        modulations.registerTarget (target);

    for (int chainIndex = 0; chainIndex < numChains; ++chainIndex)
        addSwitch (store, chainToFilterUID (chainIndex), "Chain " + juce::String (chainIndex + 1) + " to Filter", true);
}

//==============================================================================
void ParameterLayout::fillModulatorLists (const ModulationsManager& modulations, ParametersRandomizer& randomizer)
{
    for (int lfo = 0; lfo < numLfos; ++lfo)
    {
        const auto& modulator = *modulations.getModulator (lfo);

        for (int k = 0; k < numLfoParameters; ++k)
            lfoParameterUIDs[(size_t) k].add (modulator.getParameterUID (k));

        for (const auto& id : modulator.getParameterTable().getRandomizedParameters (modulator.getUID()))
            randomizer.addParameterToGroup (ParametersRandomizer::lfoGroup, id);
    }

    for (int macro = 0; macro < numMacros; ++macro)
        macroParameterUIDs.add (modulations.getModulator (numLfos + macro)->getParameterUID (0));
}

void ParameterLayout::fillSignalPathLists (const SignalPath& signalPath, ParametersRandomizer& randomizer)
{
    for (int chainIndex = 0; chainIndex < numChains; ++chainIndex)
    {
        const auto& chain = signalPath.getChain (chainIndex);
        int list = 0;

        for (int m = 0; m < chain.getNumModules(); ++m)
        {
            const auto& module = *chain.getModule (m);

            for (int k = 0; k < module.getParameterTable().size(); ++k)
                chainParameterUIDs[(size_t) list++].add (module.getParameterUID (k));

            for (const auto& id : module.getParameterTable().getRandomizedParameters (module.getUID()))
                randomizer.addParameterToGroup (ParametersRandomizer::effectsGroup, id);
        }

        jassert (list == numChainParameters);
        chainBypassUIDs.add (chainBypassUID (chainIndex));
    }

    const auto& filter = signalPath.getFilter();
    filterModeParameterUID = filter.getParameterUID (0);
    filterCutoffParameterUID = filter.getParameterUID (1);
    filterResonanceParameterUID = filter.getParameterUID (2);

    globalGainParameterUID = SignalPath::outputParameters.getParameterUID ({}, SignalPath::outputLevelPosition);
    dryWetParameterUID = SignalPath::outputParameters.getParameterUID ({}, SignalPath::dryWetPosition);
}

void ParameterLayout::fillMatrixLists (const ModulationsManager& modulations, ParametersRandomizer& randomizer)
{
    juce::StringArray chainTargetIds;

    for (int chainIndex = 0; chainIndex < numChains; ++chainIndex)
        for (auto parameter : chainTargets)
            chainTargetIds.add (chainParameterUIDs[(size_t) parameter][chainIndex]);

    for (int target = 0; target < modulations.getNumTargets(); ++target)
    {
        for (int column = 0; column <= modulations.getNumModulators(); ++column)
        {
            const auto cellUid = modulations.getModMatrixParameterUID (target, column);

            for (int list = 0; list < numChainTargetLists; ++list)
            {
                if (cellUid.contains (chainTargetIds[list]))
                {
                    chainTargetMatrixUIDs[(size_t) list].add (cellUid);
                    break;
                }
            }

            // The chains' gains are left to the user: a random level jump is never welcome.
            if (!cellUid.contains (GainerModule::gainParameterMainUIDString))
                randomizer.addParameterToGroup (ParametersRandomizer::matrixGroup, cellUid);
        }
    }
}
} // namespace velk
