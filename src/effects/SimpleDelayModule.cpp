#include "effects/SimpleDelayModule.h"

#include "modulation/BeatTranslator.h"
#include "modulation/EqualPowerCrossfade.h"
#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"

#include <array>

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

    crossFeed = {};
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

    setDelayTimeMs (ms, false);
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
        return processPingPongSample (x, channel, EqualPowerGains (mix));

    return (float) delayLines[(size_t) channel].getNextSampleWithDryWetMix (x, feedback, mix);
}

void SimpleDelayModule::processFrames (float* left, float* right, int numFrames)
{
    jassert (delayLines.size() >= 2 && numFrames <= maxFrames);
    auto& leftLine = delayLines[0];
    auto& rightLine = delayLines[1];
    const auto inStep = leftLine.isInStepWith (rightLine);

    if (inStep)
    {
        processFramesInStep (left, right, numFrames);
        return;
    }

    const auto knobTime = getKnobTime();
    const auto knobMix = mixValue->load();
    const auto* timeModulation = modsActive ? getModulationFrames (0) : nullptr;
    const auto* mixModulation = modsActive ? getModulationFrames (1) : nullptr;
    EqualPowerGains gains (mix);

    for (int i = 0; i < numFrames; ++i)
    {
        if (modsActive)
        {
            applyModulation (knobTime, timeModulation[i], knobMix, mixModulation[i], inStep);
            gains = EqualPowerGains (mix);
        }

        if (pingPongOn)
        {
            left[i] = processPingPongSample (left[i], 0, gains);
            right[i] = processPingPongSample (right[i], 1, gains);
        }
        else
        {
            left[i] = (float) leftLine.getNextSampleWithDryWetMix (left[i], feedback, mix);
            right[i] = (float) rightLine.getNextSampleWithDryWetMix (right[i], feedback, mix);
        }
    }

    mixRamp.advance (numFrames);
}

void SimpleDelayModule::processFramesInStep (float* left, float* right, int numFrames)
{
    std::array<double, maxFrames> delays;
    std::array<EqualPowerGains, maxFrames> gains;

    if (modsActive && numFrames > 0)
    {
        const auto knobTime = getKnobTime();
        const auto knobMix = mixValue->load();
        const auto* timeModulation = getModulationFrames (0);
        const auto* mixModulation = getModulationFrames (1);
        std::array<float, maxFrames> mixes;

        for (size_t i = 0; i < (size_t) numFrames; ++i)
        {
            delays[i] = toSamples (modulatedTimeMs (knobTime, timeModulation[i]));
            mixes[i] = modulatedMix (knobMix, mixModulation[i]);
        }

        makeEqualPowerGains (mixes.data(), gains.data(), numFrames);
        mix = mixes[(size_t) numFrames - 1];
    }
    else
    {
        std::fill (gains.begin(), gains.begin() + numFrames, EqualPowerGains (mix));
    }

    const auto* frameDelays = modsActive ? delays.data() : nullptr;

    if (pingPongOn)
        DelayLine<double>::getNextCrossFedFrames (delayLines[0], delayLines[1], left, right, frameDelays, feedback, gains.data(), crossFeed, numFrames);
    else
        DelayLine<double>::getNextFrames (delayLines[0], delayLines[1], left, right, frameDelays, feedback, gains.data(), numFrames);

    mixRamp.advance (numFrames);
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

float SimpleDelayModule::getKnobTime() const noexcept
{
    return syncOn ? syncedTimeValue->load() : timeValue->load();
}

void SimpleDelayModule::applyModulation() noexcept
{
    const auto timeModulation = pollModulation (0);
    applyModulation (getKnobTime(), timeModulation, mixValue->load(), pollModulation (1), false);
}

void SimpleDelayModule::applyModulation (float knobTime, float timeModulation, float knobMix, float mixModulation, bool linesInStep) noexcept
{
    setDelayTimeMs (modulatedTimeMs (knobTime, timeModulation), linesInStep);
    mix = modulatedMix (knobMix, mixModulation);
}

float SimpleDelayModule::modulatedTimeMs (float knobTime, float modulation) const noexcept
{
    // In sync mode the knob is a division index, and the modulation moves it toward the
    // shortest division.
    if (syncOn)
        return getSyncedTimeMs ((lastSyncIndex - knobTime) * modulation + knobTime);

    return modulation * modulation * (maxTimeMs - knobTime) + knobTime;
}

float SimpleDelayModule::modulatedMix (float knobMix, float modulation) noexcept
{
    return ((percentRange.end - knobMix) * modulation + knobMix) * 0.01f;
}

double SimpleDelayModule::toSamples (float ms) const noexcept
{
    return sampleRate * 0.001 * (double) ms;
}

void SimpleDelayModule::setDelayTimeMs (float ms, bool linesInStep) noexcept
{
    const auto delayInSamples = toSamples (ms);

    if (linesInStep)
    {
        // Lines that stand alike would aim alike: the first one's aim serves both.
        delayLines[0].setDelayInSamples (delayInSamples);
        delayLines[1].takeDelayOf (delayLines[0]);
        return;
    }

    for (auto& line : delayLines)
        line.setDelayInSamples (delayInSamples);
}

float SimpleDelayModule::processPingPongSample (float x, int channel, const EqualPowerGains& gains) noexcept
{
    // Each line carries the other channel's input and echoes, so an echo changes sides on
    // every pass. Channel 0 runs first in a frame and reads what the second channel left in
    // the previous frame; the second reads what channel 0 left in this one.
    const auto own = channel == 0 ? 0 : 1;
    const auto other = 1 - own;

    crossFeed.inputs[own] = x;

    const auto echo = (float) delayLines[(size_t) channel].getNextCrossFedSample (crossFeed.inputs[other], crossFeed.echoes[other], feedback);
    crossFeed.echoes[own] = echo;

    return x * gains.dry + echo * gains.wet;
}
} // namespace velk
