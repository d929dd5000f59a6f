#include "processor/SignalPath.h"

#include "effects/GainerModule.h"
#include "effects/PannerModule.h"
#include "effects/PitchShifterModule.h"
#include "effects/SimpleDelayModule.h"
#include "modulation/EqualPowerCrossfade.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"
#include "processor/ParameterLayout.h"

#include <algorithm>
#include <cmath>

namespace velk
{
namespace
{
    constexpr std::array<ParameterSpec, 2> outputRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "Global_Gain", "Amplitude", "dB", { -12.0f, 12.0f, 0.01f, 1.5f }, 0.0f, getDecibelsParameterText, SignalPath::outputLevelPosition, false, false },
        { "Dry_Wet", "Dry-Wet", "%", percentRange, 100.0f, getPercentParameterText, SignalPath::dryWetPosition, false, true },
    } };

    /** A NaN or infinite input sample would pass through the dry path and settle for good in the
        filter, the DC blocker and every feedback memory; it is taken as silence instead.
    */
    void replaceNonFiniteWithSilence (float* samples, int numSamples) noexcept
    {
        for (int i = 0; i < numSamples; ++i)
            if (!std::isfinite (samples[i]))
                samples[i] = 0.0f;
    }

    bool isOn (const std::atomic<float>* rawValue) noexcept
    {
        return isSwitchOn (rawValue->load());
    }
} // namespace

const ParameterTable SignalPath::outputParameters{ outputRows };

//==============================================================================
SignalPath::SignalPath (juce::AudioProcessorValueTreeState& store)
    : modulations (store, tempo),
      dryWetRamp{ outputRows[dryWetPosition].defaultValue },
      outputLevelRamp{ outputRows[outputLevelPosition].defaultValue }
{
    using Layout = ParameterLayout;

    for (int c = 0; c < numChains; ++c)
    {
        auto chain = std::make_unique<AudioEffectModulesChain> (Layout::getChainModuleUID (Layout::chainModuleUid, c), numChannels);
        chain->addEffectModule (new PitchShifterModule (Layout::getChainModuleUID (Layout::pitchShifterModuleUid, c), numChannels));

        auto* delay = new SimpleDelayModule (Layout::getChainModuleUID (Layout::delayModuleUid, c), numChannels);
        delay->setTempo (&tempo);
        chain->addEffectModule (delay);

        chain->addEffectModule (new GainerModule (Layout::getChainModuleUID (Layout::gainerModuleUid, c), numChannels));
        chain->addEffectModule (new PannerModule (Layout::getChainModuleUID (Layout::pannerModuleUid, c), numChannels));
        chains[(size_t) c] = std::move (chain);
    }

    filter = std::make_unique<SVFSingleOutModule> (Layout::filterModuleUid, numChannels);
    dcBlocker = std::make_unique<DCBlockerModule> (Layout::dcBlockerModuleUid, numChannels);
}

SignalPath::~SignalPath() = default;

void SignalPath::attachParameters (const juce::AudioProcessorValueTreeState& store, const ParameterLayout& layout)
{
    outputLevelValue = store.getRawParameterValue (layout.globalGainParameterUID);
    dryWetValue = store.getRawParameterValue (layout.dryWetParameterUID);
    dryWetTarget = modulations.getTargetNames().indexOf (layout.dryWetParameterUID);
    chain2SerialValue = store.getRawParameterValue (ParameterLayout::chain2SerialUid);
    chain3SerialValue = store.getRawParameterValue (ParameterLayout::chain3SerialUid);

    for (int c = 0; c < numChains; ++c)
    {
        bypassValues[(size_t) c] = store.getRawParameterValue (layout.chainBypassUIDs[c]);
        toFilterValues[(size_t) c] = store.getRawParameterValue (ParameterLayout::chainToFilterUID (c));
    }
}

//==============================================================================
void SignalPath::prepare (double sampleRate, int blockSize)
{
    tempo.sampleRate = sampleRate;
    prepareMemories (sampleRate, blockSize);
    rampLengthSamples = rampLengthInSamples (sampleRate, slowRampMs);
}

void SignalPath::prepareMemories (double sampleRate, int blockSize)
{
    for (auto& chain : chains)
        chain->prepareToPlay (sampleRate, blockSize);

    filter->prepareToPlay (sampleRate, blockSize);
    dcBlocker->prepareToPlay (sampleRate, blockSize);

    for (int m = 0; m < modulations.getNumModulators(); ++m)
        modulations.getModulator (m)->prepareToPlay (sampleRate, blockSize);
}

void SignalPath::cleanUp()
{
    for (auto& chain : chains)
        chain->cleanUp();

    filter->cleanUp();
    dcBlocker->cleanUp();
}

//==============================================================================
void SignalPath::followTempo (juce::AudioPlayHead* playHead)
{
    // Without a position (no time info from the host), or without a usable tempo in it, the
    // last tempo stays.
    if (playHead != nullptr)
        if (const auto position = playHead->getPosition())
            tempo.setBpm (position->getBpm().orFallback (0.0));
}

void SignalPath::refreshModulation()
{
    modulations.refreshMatrixForBlock();
}

void SignalPath::process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    const auto numSamples = buffer.getNumSamples();
    const auto channelsToRun = juce::jmin (buffer.getNumChannels(), numChannels);
    const auto block = prepareBlock();

    std::array<float*, numChannels> channels{};

    for (int ch = 0; ch < channelsToRun; ++ch)
    {
        channels[(size_t) ch] = buffer.getWritePointer (ch);
        replaceNonFiniteWithSilence (channels[(size_t) ch], numSamples);
    }

    // Stretch by stretch: the modulators first, then each module over the whole stretch.
    for (int start = 0; start < numSamples; start += StereoFrames::capacity)
    {
        const auto numFrames = juce::jmin (StereoFrames::capacity, numSamples - start);
        modulations.renderFrames (numFrames);
        renderMixGains (block, numFrames);

        if (channelsToRun > 0)
            runFrames (block, channels[0] + start, channelsToRun > 1 ? channels[1] + start : nullptr, numFrames);
    }

    dcBlocker->processBlock (buffer, midi, numSamples);
    feedScope (buffer, numSamples);
    outputLevelRamp.advance (numSamples);
}

SignalPath::BlockSettings SignalPath::prepareBlock()
{
    ChainRouting::Switches switches;

    for (size_t c = 0; c < (size_t) numChains; ++c)
    {
        switches.bypassed[c] = isOn (bypassValues[c]);

        if (switches.bypassed[c])
            chains[c]->precalculateForBypassedBlock();
        else
            chains[c]->precalculateForBlock();
    }

    switches.chain2Serial = isOn (chain2SerialValue);
    switches.chain3Serial = isOn (chain3SerialValue);

    for (size_t c = 0; c < (size_t) numChains; ++c)
        switches.toFilter[c] = isOn (toFilterValues[c]);

    filter->precalculateForBlock();

    // The output level moves once per block, from where its ramp stood at the block's start.
    const auto outputGain = outputGainOfLevel (outputLevelRamp.current);
    outputLevelRamp.aimAt (outputLevelValue->load(), rampLengthSamples);

    const auto dryWetKnob = dryWetValue->load();
    dryWetRamp.aimAt (dryWetKnob, rampLengthSamples);

    return { ChainRouting (switches), outputGain, dryWetKnob, modulations.areModsActiveForTarget (dryWetTarget) };
}

void SignalPath::renderMixGains (const BlockSettings& block, int numFrames) noexcept
{
    if (!block.dryWetModulated && (dryWetRamp.countdown == 0 || dryWetRamp.step == 0.0f))
    {
        // A ramp at rest, or re-aimed at where it stands, holds the mix.
        dryWetRamp.advance (numFrames);
        std::fill (mixGains.begin(), mixGains.begin() + numFrames, EqualPowerGains (dryWetRamp.current * 0.01f));
        return;
    }

    const auto* modulation = block.dryWetModulated ? modulations.getModulationFrames (dryWetTarget) : nullptr;
    std::array<float, StereoFrames::capacity> amounts;

    for (size_t i = 0; i < (size_t) numFrames; ++i)
    {
        // The ramp moves on while the matrix drives the mix, so that it stands right when it stops.
        dryWetRamp.advance();
        const auto percent = block.dryWetModulated ? block.dryWetKnob + modulation[i] * (percentRange.end - block.dryWetKnob)
                                                   : dryWetRamp.current;
        amounts[i] = percent * 0.01f;
    }

    makeEqualPowerGains (amounts.data(), mixGains.data(), numFrames);
}

void SignalPath::runFrames (const BlockSettings& block, float* left, float* right, int numFrames)
{
    // A mono buffer runs as a centred stereo signal whose right side is dropped.
    const auto* rightInput = right != nullptr ? right : left;
    std::copy (left, left + numFrames, dryFrames.left.begin());
    std::copy (rightInput, rightInput + numFrames, dryFrames.right.begin());

    block.routing.runChains (dryFrames, chainFrames, numFrames, [this, numFrames] (int chain, StereoFrames& frames)
                             { chains[(size_t) chain]->processFrames (frames.left.data(), frames.right.data(), numFrames); });

    // The filter's ramps move on whether or not it hears anything.
    block.routing.mixWet (
        dryFrames, chainFrames, filterFrames, wetFrames, numFrames,
        [this, numFrames] (StereoFrames& frames)
        { filter->processFrames (frames.left.data(), frames.right.data(), numFrames); },
        [this, numFrames]
        { filter->advanceFrames (numFrames); });

    for (size_t i = 0; i < (size_t) numFrames; ++i)
    {
        const auto& gains = mixGains[i];
        left[i] = (wetFrames.left[i] * block.outputGain) * gains.wet + dryFrames.left[i] * gains.dry;

        if (right != nullptr)
            right[i] = (wetFrames.right[i] * block.outputGain) * gains.wet + dryFrames.right[i] * gains.dry;
    }
}

void SignalPath::feedScope (const juce::AudioBuffer<float>& buffer, int numSamples) noexcept
{
    if (!scopeEnabled.load (std::memory_order_relaxed) || buffer.getNumChannels() == 0)
        return;

    const auto* left = buffer.getReadPointer (0);
    const auto* right = buffer.getReadPointer (juce::jmin (1, buffer.getNumChannels() - 1));

    for (int i = 0; i < numSamples; ++i)
    {
        if (scopeDecimationCounter == 0)
            scope.push ((left[i] + right[i]) * 0.5f);

        if (++scopeDecimationCounter == scopeDecimation)
            scopeDecimationCounter = 0;
    }
}
} // namespace velk
