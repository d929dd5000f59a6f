#include "effects/SVFSingleOutModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"

namespace velk
{
namespace
{
    constexpr auto maxCutoffHz = 18000.0f;

    enum Row
    {
        modeRow,
        cutRow,
        resRow
    };

    constexpr std::array<ParameterSpec, 3> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Mode", " Mode", "", { 0.0f, 3.0f, 1.0f, 1.0f }, 0.0f, SVFSingleOutModule::getModeText, 0, false, false },
        { "_Cut", " Cut", "Hz", { 80.0f, maxCutoffHz, 1.0f, 0.5f }, 11000.0f, getHertzParameterText, 1, false, true },
        { "_Res", " Res", "%", percentRange, 0.0f, getPercentParameterText, 2, false, true },
    } };

    constexpr auto maxResonancePercent = parameterRows[resRow].range.end;

    enum Mode
    {
        lowPass,
        highPass,
        bandPass,
        notch
    };
} // namespace

juce::String SVFSingleOutModule::getModeText (float modeValue)
{
    switch (roundToIndex (modeValue))
    {
        case lowPass:
            return "LPF";
        case highPass:
            return "HPF";
        case bandPass:
            return "BPF";
        case notch:
            return "NOTCH";
        default:
            return {};
    }
}

SVFSingleOutModule::SVFSingleOutModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep, parameterRows),
      channelStates ((size_t) juce::jmax (0, numChannelsToKeep)),
      cutRamp{ parameterRows[cutRow].defaultValue },
      resRamp{ parameterRows[resRow].defaultValue }
{
}

SVFSingleOutModule::~SVFSingleOutModule() = default;

//==============================================================================
void SVFSingleOutModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    const auto values = createParameters (store);
    modeValue = values[modeRow];
    cutValue = values[cutRow];
    resValue = values[resRow];
}

void SVFSingleOutModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);
    cleanUp();
    rampLengthSamples = rampLengthInSamples (sampleRate, slowRampMs);
}

void SVFSingleOutModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    AudioEffectModule::precalculateForBlock();

    cutRamp.aimAt (modsActive ? getModulatedCutoff() : cutValue->load(), rampLengthSamples);
    resRamp.aimAt (modsActive ? getModulatedResonance() : resValue->load(), rampLengthSamples);
    setCoefficients (cutRamp.current, resRamp.current);

    const auto channelsToFilter = juce::jmin (buffer.getNumChannels(), (int) channelStates.size());

    for (int channel = 0; channel < channelsToFilter; ++channel)
    {
        auto* samples = buffer.getWritePointer (channel);

        for (int i = 0; i < numSamples; ++i)
            samples[i] = processSingleSample (samples[i], channel);
    }

    cutRamp.advance (numSamples);
    resRamp.advance (numSamples);
}

void SVFSingleOutModule::precalculateForBlock()
{
    cutRamp.aimAt (cutValue->load(), rampLengthSamples);
    resRamp.aimAt (resValue->load(), rampLengthSamples);
    setCoefficients (cutRamp.current, resRamp.current);
    AudioEffectModule::precalculateForBlock();
}

void SVFSingleOutModule::calc()
{
    cutRamp.advance();
    resRamp.advance();

    if (!modsActive)
        return;

    const auto cutoff = getModulatedCutoff();
    setCoefficients (cutoff, getModulatedResonance());
}

float SVFSingleOutModule::processSingleSample (float x, int channel)
{
    auto& state = channelStates[(size_t) channel];
    const auto g = state.g;

    const auto hp = ((double) x - state.k * state.s1 - state.s2) * state.h;
    // The saturation sits inside the loop: the band-pass value feeds both states, so the
    // filter stays bounded at any resonance.
    const auto bp = std::tanh ((state.s1 + g * hp) * 1.018);
    const auto lp = state.s2 + g * bp;

    state.s1 = g * hp + bp;
    state.s2 = g * bp + lp;

    switch (roundToIndex (modeValue->load()))
    {
        case highPass:
            return (float) hp;
        case bandPass:
            return (float) bp;
        case notch:
            return (float) (0.5 * lp + 0.5 * hp);
        default:
            return (float) lp;
    }
}

void SVFSingleOutModule::cleanUp()
{
    for (auto& state : channelStates)
    {
        state.s1 = 0.0;
        state.s2 = 0.0;
    }
}

//==============================================================================
float SVFSingleOutModule::getModulatedCutoff() const noexcept
{
    const auto knob = cutValue->load();
    const auto m = pollModulation (0);
    return knob + (maxCutoffHz - knob) * (m * m);
}

float SVFSingleOutModule::getModulatedResonance() const noexcept
{
    const auto knob = resValue->load();
    return knob + (maxResonancePercent - knob) * pollModulation (1);
}

void SVFSingleOutModule::setCoefficients (float cutoffHz, float resonancePercent) noexcept
{
    const auto t = inverseSampleRate;
    const auto q = (double) resonancePercent * 0.01;
    const auto bigQ = 0.5 + 9.5 * (q * q);
    const auto r = 1.0 / (2.0 * bigQ);

    // Below about 36.7 kHz the top of the cutoff range would reach fs / 2, where the tangent
    // turns infinite and then negative.
    const auto fc = juce::jmin ((double) cutoffHz, maxCutoffRatio * sampleRate);
    const auto g = std::tan (fc * juce::MathConstants<double>::twoPi * (0.5 * t)) * (2.0 / t) * (0.5 * t);
    const auto h = 1.0 / ((2.0 * r * g + 1.0) + g * g);
    const auto k = 2.0 * r + g;

    for (auto& state : channelStates)
    {
        state.g = g;
        state.h = h;
        state.k = k;
        state.damping = r;
    }
}
} // namespace velk
