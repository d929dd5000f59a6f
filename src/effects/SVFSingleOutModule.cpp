#include "effects/SVFSingleOutModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterText.h"

#include <array>

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
    rateTerms = RateTerms (sampleRate);
    cleanUp();

    // The coefficients depend on the rate, so the next values must compute them afresh.
    coefficientCutoff = -1.0f;
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
    return filterSample (x, { state.g, state.h, state.k, state.damping }, state, roundToIndex (modeValue->load()));
}

void SVFSingleOutModule::processFrames (float* left, float* right, int numFrames)
{
    jassert (channelStates.size() >= 2 && numFrames <= maxFrames);
    auto& leftState = channelStates[0];
    auto& rightState = channelStates[1];
    const auto mode = roundToIndex (modeValue->load());
    auto current = Coefficients{ leftState.g, leftState.h, leftState.k, leftState.damping };

    if (!modsActive)
    {
        for (int i = 0; i < numFrames; ++i)
        {
            left[i] = filterSample (left[i], current, leftState, mode);
            right[i] = filterSample (right[i], current, rightState, mode);
        }
    }
    else
    {
        // The coefficients of every frame first: their tangents don't wait for the filter's
        // own chain of samples, so they overlap in the processor instead of adding up.
        std::array<Coefficients, maxFrames> coefficients;
        const auto knobCutoff = cutValue->load();
        const auto knobResonance = resValue->load();
        const auto* cutoffModulation = getModulationFrames (0);
        const auto* resonanceModulation = getModulationFrames (1);

        for (size_t i = 0; i < (size_t) numFrames; ++i)
        {
            const auto cutoff = modulatedCutoff (knobCutoff, cutoffModulation[i]);
            const auto resonance = modulatedResonance (knobResonance, resonanceModulation[i]);

            if (!areCoefficientsOf (cutoff, resonance))
            {
                current = computeCoefficients (cutoff, resonance);
                coefficientCutoff = cutoff;
                coefficientResonance = resonance;
            }

            coefficients[i] = current;
        }

        for (size_t i = 0; i < (size_t) numFrames; ++i)
        {
            left[i] = filterSample (left[i], coefficients[i], leftState, mode);
            right[i] = filterSample (right[i], coefficients[i], rightState, mode);
        }

        storeCoefficients (current);
    }

    cutRamp.advance (numFrames);
    resRamp.advance (numFrames);
}

void SVFSingleOutModule::advanceFrames (int numFrames)
{
    // Only the ramps carry over into the next block; the coefficients are set again by then.
    cutRamp.advance (numFrames);
    resRamp.advance (numFrames);
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
    return modulatedCutoff (cutValue->load(), pollModulation (0));
}

float SVFSingleOutModule::getModulatedResonance() const noexcept
{
    return modulatedResonance (resValue->load(), pollModulation (1));
}

float SVFSingleOutModule::modulatedCutoff (float knob, float modulation) noexcept
{
    return knob + (maxCutoffHz - knob) * (modulation * modulation);
}

float SVFSingleOutModule::modulatedResonance (float knob, float modulation) noexcept
{
    return knob + (maxResonancePercent - knob) * modulation;
}

float SVFSingleOutModule::filterSample (float x, const Coefficients& coefficients, ChannelState& state, int mode) noexcept
{
    const auto g = coefficients.g;

    const auto hp = ((double) x - coefficients.k * state.s1 - state.s2) * coefficients.h;
    // The saturation sits inside the loop: the band-pass value feeds both states, so the
    // filter stays bounded at any resonance.
    const auto bp = std::tanh ((state.s1 + g * hp) * 1.018);
    const auto lp = state.s2 + g * bp;

    state.s1 = g * hp + bp;
    state.s2 = g * bp + lp;

    switch (mode)
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

SVFSingleOutModule::RateTerms::RateTerms (double rate) noexcept
    : halfPeriod (0.5 * (1.0 / rate)), twiceRate (2.0 / (1.0 / rate)), highestCutoff (maxCutoffRatio * rate)
{
}

void SVFSingleOutModule::setCoefficients (float cutoffHz, float resonancePercent) noexcept
{
    // Under modulation this runs every frame, and a source that holds still (a macro) gives
    // the values of the last frame again.
    if (areCoefficientsOf (cutoffHz, resonancePercent))
        return;

    coefficientCutoff = cutoffHz;
    coefficientResonance = resonancePercent;
    storeCoefficients (computeCoefficients (cutoffHz, resonancePercent));
}

bool SVFSingleOutModule::areCoefficientsOf (float cutoffHz, float resonancePercent) const noexcept
{
    return cutoffHz == coefficientCutoff && resonancePercent == coefficientResonance;
}

SVFSingleOutModule::Coefficients SVFSingleOutModule::computeCoefficients (float cutoffHz, float resonancePercent) const noexcept
{
    const auto q = (double) resonancePercent * 0.01;
    const auto bigQ = 0.5 + 9.5 * (q * q);
    const auto r = 1.0 / (2.0 * bigQ);

    // Below about 36.7 kHz the top of the cutoff range would reach fs / 2, where the tangent
    // turns infinite and then negative.
    const auto fc = juce::jmin ((double) cutoffHz, rateTerms.highestCutoff);
    const auto g = std::tan (fc * juce::MathConstants<double>::twoPi * rateTerms.halfPeriod) * rateTerms.twiceRate * rateTerms.halfPeriod;
    return { g, 1.0 / ((2.0 * r * g + 1.0) + g * g), 2.0 * r + g, r };
}

void SVFSingleOutModule::storeCoefficients (const Coefficients& coefficients) noexcept
{
    for (auto& state : channelStates)
    {
        state.g = coefficients.g;
        state.h = coefficients.h;
        state.k = coefficients.k;
        state.damping = coefficients.damping;
    }
}
} // namespace velk
