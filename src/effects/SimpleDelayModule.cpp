#include "effects/SimpleDelayModule.h"

#include "modulation/BeatTranslator.h"
#include "modulation/EqualPowerCrossfade.h"
#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"

namespace velk
{
namespace
{
    constexpr auto maxTimeMs = 1000.0f;
    constexpr auto lastSyncIndex = (float) (BeatTranslator::numDivisions - 1);
    constexpr auto lineLengthSeconds = 4.0;

    enum Row
    {
        timeRow,
        syncRow,
        syncedTimeRow,
        feedRow,
        mixRow,
        pingPongRow
    };

    // The editor's order puts Synced_Time before Sync.
    constexpr std::array<ParameterSpec, 6> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Time", " Time", "Ms", { 1.0f, maxTimeMs, 1.0f, 0.5f }, 120.0f, getMillisecondsParameterText, 0, true, true },
        { "_Sync", " Sync", "", switchRange, 0.0f, nullptr, 2, false, false },
        { "_Synced_Time", " Synced Time", "", { 0.0f, lastSyncIndex, 1.0f, 1.0f }, 9.0f, getSyncedTimeParameterText, 1, true, false },
        { "_Feed", " Feed", "%", percentRange, 0.0f, getPercentParameterText, 3, true, false },
        { "_Mix", " Mix", "%", percentRange, 0.0f, getPercentParameterText, 4, true, true },
        { "_PingPong", " Ping Pong", "", switchRange, 0.0f, nullptr, 5, false, false },
    } };
} // namespace

SimpleDelayModule::SimpleDelayModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep, parameterRows),
      delayLines ((size_t) juce::jmax (0, numChannelsToKeep))
{
}

SimpleDelayModule::~SimpleDelayModule() = default;

//==============================================================================
void SimpleDelayModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    const auto values = createParameters (store);
    timeValue = values[timeRow];
    syncValue = values[syncRow];
    syncedTimeValue = values[syncedTimeRow];
    feedValue = values[feedRow];
    mixValue = values[mixRow];
    pingPongValue = values[pingPongRow];
}

void SimpleDelayModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);

    // Multiplied in this order rather than through rampLengthInSamples(): at a few rates (8200 Hz,
    // say) the two orders round to lengths one sample apart, and the glide has always had this one.
    const auto glideLength = (int) (slowRampMs * 0.001 * sampleRate);

    for (auto& line : delayLines)
    {
        line.setMaximumLength ((int) (sampleRate * lineLengthSeconds));
        line.setGlideLength (glideLength);
    }

    rampLengthSamples = rampLengthInSamples (sampleRate, moduleRampMs);

    std::fill (std::begin (pingPongInput), std::end (pingPongInput), 0.0f);
    std::fill (std::begin (pingPongOutput), std::end (pingPongOutput), 0.0f);
}

void SimpleDelayModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    precalculateForBlock();

    if (modsActive)
        applyModulation();

    const auto channelsToDelay = juce::jmin (buffer.getNumChannels(), (int) delayLines.size());

    for (int channel = 0; channel < channelsToDelay; ++channel)
    {
        auto& line = delayLines[(size_t) channel];
        auto* samples = buffer.getWritePointer (channel);

        for (int i = 0; i < numSamples; ++i)
            samples[i] = (float) line.getNextSampleWithDryWetMix (samples[i], feedback, mix);
    }

    mixRamp.advance (numSamples);
}

void SimpleDelayModule::precalculateForBlock()
{
    feedback = feedValue->load() * 0.01f * (float) maxFeedbackGain;
    syncOn = isSwitchOn (syncValue->load());
    pingPongOn = isSwitchOn (pingPongValue->load());

    const auto ms = syncOn ? getSyncedTimeMs (syncedTimeValue->load()) : timeValue->load();

    mixRamp.aimAt (mixValue->load(), rampLengthSamples);
    mix = mixRamp.current * 0.01f;

    setDelayTimeMs (ms);
    AudioEffectModule::precalculateForBlock();
}

void SimpleDelayModule::calc()
{
    mixRamp.advance();

    if (modsActive)
        applyModulation();
}

float SimpleDelayModule::processSingleSample (float x, int channel)
{
    if (pingPongOn)
        return processPingPongSample (x, channel);

    return (float) delayLines[(size_t) channel].getNextSampleWithDryWetMix (x, feedback, mix);
}

void SimpleDelayModule::cleanUp()
{
    for (auto& line : delayLines)
        line.cleanUp();
}

//==============================================================================
float SimpleDelayModule::getSyncedTimeMs (float syncIndex) const noexcept
{
    // Without a tempo record (never the case inside the plug-in) a bar lasts as at 120 bpm.
    const auto msPerBar = tempo != nullptr ? tempo->msPerBar : TempoInfo().msPerBar;
    const auto index = juce::jlimit (0, BeatTranslator::numDivisions - 1, roundToIndex (syncIndex));
    return BeatTranslator::getPeriodMs (msPerBar, index);
}

void SimpleDelayModule::applyModulation() noexcept
{
    const auto timeModulation = pollModulation (0);
    float ms;

    if (syncOn)
    {
        // The modulation moves the division toward the shortest one.
        const auto knobIndex = syncedTimeValue->load();
        ms = getSyncedTimeMs ((lastSyncIndex - knobIndex) * timeModulation + knobIndex);
    }
    else
    {
        const auto knobMs = timeValue->load();
        ms = timeModulation * timeModulation * (maxTimeMs - knobMs) + knobMs;
    }

    setDelayTimeMs (ms);

    const auto knobMix = mixValue->load();
    mix = ((percentRange.end - knobMix) * pollModulation (1) + knobMix) * 0.01f;
}

void SimpleDelayModule::setDelayTimeMs (float ms) noexcept
{
    const auto delayInSamples = sampleRate * 0.001 * (double) ms;

    for (auto& line : delayLines)
        line.setDelayInSamples (delayInSamples);
}

float SimpleDelayModule::processPingPongSample (float x, int channel) noexcept
{
    // Each line carries the other channel's input and echoes, so an echo changes sides on
    // every pass. Channel 0 runs first in a frame and reads what the second channel left in
    // the previous frame; the second reads what channel 0 left in this one.
    const auto own = channel == 0 ? 0 : 1;
    const auto other = 1 - own;

    pingPongInput[own] = x;

    const auto echo = (float) delayLines[(size_t) channel].getNextCrossFedSample (pingPongInput[other], pingPongOutput[other], feedback);
    pingPongOutput[own] = echo;

    return x * equalPowerDryGain (mix) + echo * equalPowerWetGain (mix);
}
} // namespace velk
