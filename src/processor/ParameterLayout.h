#pragma once

#include "modulation/ModulationsManager.h"
#include "processor/ChainRouting.h"
#include "processor/ParametersRandomizer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

namespace velk
{
class SignalPath;

/** The plug-in's 333 parameters in host order, and the identifier lists by which the editor
    binds its controls by position.

    Built once, on the message thread, by the constructor; from then on only read, from any
    thread. The order of creation is the host's parameter order, by which projects store their
    automation: LFO_1 to LFO_4, Macro_1 to Macro_3, each chain's pitch shifter, delay, gain and
    panner with its bypass (and serial-mode) switch, the filter, the output level, the dry/wet
    mix, the chain-to-filter switches, the matrix and the global modulation depth.
*/
class ParameterLayout
{
public:
    //==============================================================================
    static const juce::String lfoModuleUid;
    static const juce::String macroModuleUid;
    static const juce::String pitchShifterModuleUid;
    static const juce::String delayModuleUid;
    static const juce::String gainerModuleUid;
    static const juce::String pannerModuleUid;
    static const juce::String filterModuleUid;
    static const juce::String chainModuleUid;
    static const juce::String dcBlockerModuleUid;
    static const juce::String chainByPassUidBase;
    static const juce::String chain2SerialUid;
    static const juce::String chain3SerialUid;
    static const juce::String chainFilterRoutingUidBase;

    static constexpr int numChains = ChainRouting::numChains;
    static constexpr int numLfos = 4;
    static constexpr int numMacros = 3;

    /** The lists of chainParameterUIDs: the chain's modules' parameters in editor order. */
    enum ChainParameter
    {
        pitchShifterPitch,
        pitchShifterSize,
        pitchShifterFeedback,
        pitchShifterMix,
        delayTime,
        delaySyncedTime,
        delaySync,
        delayFeed,
        delayMix,
        delayPingPong,
        gainerGain,
        pannerPan,
        numChainParameters
    };

    /** The lists of lfoParameterUIDs: the LFO's parameters in editor order. */
    enum LfoParameter
    {
        lfoRate,
        lfoSyncedRate,
        lfoSync,
        lfoWave,
        lfoHighRateEnable,
        lfoHighRate,
        numLfoParameters
    };

    /** A chain's modulation targets in the order of chainTargetMatrixUIDs: pitch-shifter
        pitch and mix, delay time and mix, gain, pan.
    */
    static constexpr std::array<ChainParameter, 6> chainTargets{ pitchShifterPitch, pitchShifterMix, delayTime,
                                                                 delayMix, gainerGain, pannerPan };
    static constexpr int numChainTargetLists = numChains * (int) chainTargets.size();

    //==============================================================================
    /** base + "_" + (index + 1): LFO_1 for ("LFO", 0). */
    static juce::String getChainModuleUID (const juce::String& base, int index);

    /** Chain_To_Filter_1 for index 0. */
    static juce::String chainToFilterUID (int index);

    /** Chain_Bypass_0 for index 0: the bypass switches count from 0. */
    static juce::String chainBypassUID (int index);

    //==============================================================================
    /** Creates every parameter in the store, in host order: the modulators (added to the
        signal path's modulation manager, which owns them), the signal path's modules and
        switches, the output level and dry/wet mix, the matrix. Then fills the lists and the
        randomizer's groups.
    */
    ParameterLayout (juce::AudioProcessorValueTreeState& store, SignalPath& signalPath, ParametersRandomizer& randomizer);

    //==============================================================================
    /** List k, element c: chain c + 1's parameter k (ChainParameter). */
    std::array<juce::StringArray, numChainParameters> chainParameterUIDs;

    /** Chain_Bypass_0 to Chain_Bypass_2, chain 1 first. */
    juce::StringArray chainBypassUIDs;

    juce::String filterModeParameterUID;
    juce::String filterCutoffParameterUID;
    juce::String filterResonanceParameterUID;
    juce::String dryWetParameterUID;
    juce::String globalGainParameterUID;

    /** List k, element n: LFO n + 1's parameter k (LfoParameter). */
    std::array<juce::StringArray, numLfoParameters> lfoParameterUIDs;

    /** Macro_1_Offset to Macro_3_Offset. */
    juce::StringArray macroParameterUIDs;

    /** List 6 c + t: the eight matrix cells (seven modulators, then the scale) of chain c + 1's
        target t (chainTargets).
    */
    std::array<juce::StringArray, numChainTargetLists> chainTargetMatrixUIDs;

private:
    //==============================================================================
    void createModulators (juce::AudioProcessorValueTreeState& store, ModulationsManager& modulations);
    void createSignalPathParameters (juce::AudioProcessorValueTreeState& store, ModulationsManager& modulations,
                                     SignalPath& signalPath);
    void fillModulatorLists (const ModulationsManager& modulations, ParametersRandomizer& randomizer);
    void fillSignalPathLists (const SignalPath& signalPath, ParametersRandomizer& randomizer);
    void fillMatrixLists (const ModulationsManager& modulations, ParametersRandomizer& randomizer);
};
} // namespace velk
