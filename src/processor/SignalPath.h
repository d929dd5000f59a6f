#pragma once

#include "effects/AudioEffectModulesChain.h"
#include "effects/DCBlockerModule.h"
#include "effects/DecibelGain.h"
#include "effects/ParameterRamp.h"
#include "effects/SVFSingleOutModule.h"
#include "modulation/EqualPowerCrossfade.h"
#include "modulation/ModulationsManager.h"
#include "processor/ChainRouting.h"
#include "processor/ScopeRing.h"

#include <array>
#include <atomic>
#include <memory>

namespace velk
{
class ParameterLayout;

/** The audio road of one block: the host's tempo, the modulation matrix and its modulators,
    the three chains in their serial or parallel routing, the filter, the output level, the
    equal-power dry/wet mix and the DC blocker, then the scope's share of the output.

    Everything but construction, attachParameters(), prepare() and cleanUp() runs on the audio
    thread and neither allocates nor locks.
*/
class SignalPath
{
public:
    static constexpr int numChains = ChainRouting::numChains;
    static constexpr int numChannels = 2;

    /** The output level ("Global_Gain") and the dry/wet mix ("Dry_Wet"), created by the
        parameter layout after the filter's parameters; their identifiers carry no module name.
    */
    static const ParameterTable outputParameters;
    static constexpr int outputLevelPosition = 0;
    static constexpr int dryWetPosition = 1;

    /** Every sample in the scope's share of the output is followed by this many left out. */
    static constexpr int scopeDecimation = 16;

    //==============================================================================
    /** Builds the modulation manager (without modulators), the chains (pitch shifter, delay,
        gain, panner), the filter and the DC blocker. No parameter exists yet: the parameter
        layout creates them, and then attachParameters() looks up what the path reads itself.
    */
    explicit SignalPath (juce::AudioProcessorValueTreeState& store);
    ~SignalPath();

    ModulationsManager& getModulations() noexcept { return modulations; }
    const ModulationsManager& getModulations() const noexcept { return modulations; }
    const AudioEffectModulesChain& getChain (int index) const noexcept { return *chains[(size_t) index]; }
    SVFSingleOutModule& getFilter() noexcept { return *filter; }
    const SVFSingleOutModule& getFilter() const noexcept { return *filter; }

    /** The tempo record that the delays and the LFOs read. */
    const TempoInfo& getTempo() const noexcept { return tempo; }

    /** Message thread, once every parameter exists. */
    void attachParameters (const juce::AudioProcessorValueTreeState& store, const ParameterLayout& layout);

    //==============================================================================
    /** Sizes every memory and sets the ramps' length; ramps and scope keep their positions. */
    void prepare (double sampleRate, int blockSize);

    /** Sizes the memories of the modules and modulators only, so that a block can run before
        the host prepares the plug-in; the ramps keep their length.
    */
    void prepareMemories (double sampleRate, int blockSize);

    /** Takes the tempo of the host's current position; without a position the last one stays. */
    void followTempo (juce::AudioPlayHead* playHead);

    /** Reads the matrix for the block and lets the modulators prepare theirs; comes before
        process(), so that what the matrix reaches can be read out in between.
    */
    void refreshModulation();

    /** Runs the buffer (one or two channels) through the path in place. */
    void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi);

    /** Silences the memories of the chains, the filter and the DC blocker, after a preset
        replaced the sound they were ringing with. Call with processing suspended.
    */
    void cleanUp();

    //==============================================================================
    /** Any thread: whether process() feeds the scope. */
    void setScopeEnabled (bool enabled) noexcept { scopeEnabled.store (enabled, std::memory_order_relaxed); }

    /** The scope's last values, for the message thread to copy. */
    const ScopeRing& getScope() const noexcept { return scope; }

    /** Where the output level and the mix stood after the last block, and the length of their
        ramps in samples.
    */
    const ParameterRamp<float>& getOutputLevelRamp() const noexcept { return outputLevelRamp; }
    const ParameterRamp<float>& getDryWetRamp() const noexcept { return dryWetRamp; }
    int getRampLength() const noexcept { return rampLengthSamples; }

    /** The position, 0 to 15, of the next sample within the scope's pick of one in sixteen. */
    int getScopePhase() const noexcept { return scopeDecimationCounter; }

private:
    //==============================================================================
    /** What stays fixed for the samples of one block. */
    struct BlockSettings
    {
        ChainRouting routing;
        float outputGain;
        float dryWetKnob;
        bool dryWetModulated;
    };

    BlockSettings prepareBlock();
    void renderMixGains (const BlockSettings& block, int numFrames) noexcept;
    void runFrames (const BlockSettings& block, float* left, float* right, int numFrames);
    void feedScope (const juce::AudioBuffer<float>& buffer, int numSamples) noexcept;

    //==============================================================================
    TempoInfo tempo;
    ModulationsManager modulations;
    std::array<std::unique_ptr<AudioEffectModulesChain>, numChains> chains;
    std::unique_ptr<SVFSingleOutModule> filter;
    std::unique_ptr<DCBlockerModule> dcBlocker;

    std::atomic<float>* outputLevelValue = nullptr;
    std::atomic<float>* dryWetValue = nullptr;
    std::array<std::atomic<float>*, numChains> bypassValues{};
    std::array<std::atomic<float>*, numChains> toFilterValues{};
    std::atomic<float>* chain2SerialValue = nullptr;
    std::atomic<float>* chain3SerialValue = nullptr;
    int dryWetTarget = -1;

    ParameterRamp<float> dryWetRamp;
    ParameterRamp<float> outputLevelRamp;
    DecibelGain outputGainOfLevel;
    int rampLengthSamples = 10;

    // One stretch of the block at a time.
    StereoFrames dryFrames, filterFrames, wetFrames;
    std::array<StereoFrames, numChains> chainFrames;
    std::array<EqualPowerGains, StereoFrames::capacity> mixGains{};

    ScopeRing scope;
    std::atomic<bool> scopeEnabled{ true };
    int scopeDecimationCounter = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SignalPath)
};
} // namespace velk
