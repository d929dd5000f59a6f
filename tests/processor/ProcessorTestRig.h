#pragma once

#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace velk::test
{
/** A play head that reports a given tempo, or no position at all. */
class FixedPlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        if (!hasPosition)
            return {};

        PositionInfo info;

        if (bpm.has_value())
            info.setBpm (*bpm);

        return info;
    }

    bool hasPosition = true;
    std::optional<double> bpm;
};

/** Appends a child to a MIDI map as a map file or a chunk may (a second child of a parameter,
    none or text for its controller), through the XML that the map loads.
*/
inline void appendToMap (CCMapper& mapper, const juce::String& parameterId, const juce::var& controller = {})
{
    auto xml = mapper.createMapXml();
    auto* child = xml->createNewChildElement (parameterId);

    if (!controller.isVoid())
        child->setAttribute (CCMapper::ccValueProperty, controller.toString());

    mapper.loadMapFromXml (*xml);
}

/** A stereo signal as two vectors, the form the tests compare in. */
using StereoSignal = std::array<std::vector<float>, 2>;

inline StereoSignal makeSignal (int numSamples, const std::function<float (int channel, int sample)>& generator)
{
    StereoSignal signal;

    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < numSamples; ++i)
            signal[(size_t) ch].push_back (generator (ch, i));

    return signal;
}

inline StereoSignal silence (int numSamples)
{
    return makeSignal (numSamples, [] (int, int)
                       { return 0.0f; });
}

/** Two different low sines, one per channel, well above the DC blocker's corner. */
inline StereoSignal testTone (int numSamples)
{
    return makeSignal (numSamples, [] (int ch, int i)
                       {
                           const auto frequency = ch == 0 ? 110.0 : 170.0;
                           return (float) (0.5 * std::sin (juce::MathConstants<double>::twoPi * frequency * i / 44100.0)); });
}

/** One processor, prepared at 44100 Hz, with helpers to set parameters in their own units and
    to run signals through it in blocks.
*/
class ProcessorRig
{
public:
    static constexpr double sampleRate = 44100.0;
    static constexpr int maxBlockSize = 4096;

    explicit ProcessorRig (std::unique_ptr<TavelinAudioProcessor> processorToUse = std::make_unique<TavelinAudioProcessor>())
        : processor (std::move (processorToUse))
    {
        processor->setPlayHead (&playHead);
        processor->prepareToPlay (sampleRate, maxBlockSize);
    }

    ~ProcessorRig()
    {
        processor->setPlayHead (nullptr);
    }

    juce::RangedAudioParameter& parameter (const juce::String& id) const
    {
        auto* p = processor->valueTreeState.getParameter (id);

        if (p == nullptr)
            throw std::runtime_error (("no parameter " + id).toStdString());

        return *p;
    }

    /** Sets a parameter in its own units, as the host would. */
    void set (const juce::String& id, float value) const
    {
        auto& p = parameter (id);
        p.setValueNotifyingHost (p.convertTo0to1 (value));
    }

    /** The raw value the audio thread reads. */
    float get (const juce::String& id) const
    {
        return processor->valueTreeState.getRawParameterValue (id)->load();
    }

    /** Runs the signal through in blocks of blockSize; MIDI goes with the first block. */
    StereoSignal process (const StereoSignal& input, int blockSize = maxBlockSize, const juce::MidiBuffer& midi = {})
    {
        StereoSignal output = input;
        const auto numSamples = (int) input[0].size();
        auto blockMidi = midi;

        for (int start = 0; start < numSamples; start += blockSize)
        {
            const auto length = juce::jmin (blockSize, numSamples - start);
            std::array<float*, 2> channels{ output[0].data() + start, output[1].data() + start };
            juce::AudioBuffer<float> buffer (channels.data(), 2, length);
            processor->processBlock (buffer, blockMidi);
            blockMidi.clear();
        }

        return output;
    }

    /** Silence through the processor until every ramp of the modules has arrived. */
    void settle()
    {
        process (silence (2 * maxBlockSize));
    }

    FixedPlayHead playHead;
    std::unique_ptr<TavelinAudioProcessor> processor;
};

/** The DC blocker's recurrence as its formula gives it, to follow the processor's last stage. */
class ReferenceDcBlocker
{
public:
    float process (float x, int channel)
    {
        auto& [x1, y1] = state[(size_t) channel];
        const auto y = ((double) x - x1) + r * y1;
        x1 = x;
        y1 = y;
        return (float) y;
    }

private:
    const double r = 1.0 - 126.0 / ProcessorRig::sampleRate;
    std::array<std::pair<double, double>, 2> state{};
};

/** The state-variable filter from its formulas: coefficients from cutoff and resonance, then
    the trapezoidal step with the saturated band-pass state.
*/
class ReferenceFilter
{
public:
    enum Mode
    {
        lowPass = 0,
        highPass = 1
    };

    ReferenceFilter (Mode filterMode, double cutoff, double resonancePercent)
        : mode (filterMode)
    {
        const auto q = 0.5 + 9.5 * std::pow (resonancePercent * 0.01, 2.0);
        const auto damping = 1.0 / (2.0 * q);
        g = std::tan (juce::MathConstants<double>::pi * cutoff / ProcessorRig::sampleRate);
        h = 1.0 / ((2.0 * damping * g + 1.0) + g * g);
        k = 2.0 * damping + g;
    }

    float process (float x, int channel)
    {
        auto& [s1, s2] = state[(size_t) channel];
        const auto hp = ((double) x - k * s1 - s2) * h;
        const auto bp = std::tanh ((s1 + g * hp) * 1.018);
        const auto lp = s2 + g * bp;
        s1 = g * hp + bp;
        s2 = g * bp + lp;
        return (float) (mode == highPass ? hp : lp);
    }

private:
    Mode mode;
    double g = 0.0, h = 0.0, k = 0.0;
    std::array<std::pair<double, double>, 2> state{};
};

/** The equal-power crossfade curve, from its two constants. */
inline float crossfadeCurve (double angle)
{
    const auto t = (float) angle;
    return (0.03705f * t * t - 0.4967f) * t * t + 1.0f;
}

inline float dryGainFor (float mixPercent)
{
    return crossfadeCurve ((double) (mixPercent * 0.01f) * juce::MathConstants<double>::halfPi);
}

inline float wetGainFor (float mixPercent)
{
    return crossfadeCurve ((1.0 - (double) (mixPercent * 0.01f)) * juce::MathConstants<double>::halfPi);
}

inline float decibelsToGain (float decibels)
{
    return std::pow (10.0f, decibels * 0.05f);
}

inline void expectSignalsNear (const StereoSignal& actual, const StereoSignal& expected, float tolerance, const std::string& what)
{
    for (size_t ch = 0; ch < 2; ++ch)
    {
        ASSERT_EQ (actual[ch].size(), expected[ch].size()) << what;

        for (size_t i = 0; i < actual[ch].size(); ++i)
            ASSERT_NEAR (actual[ch][i], expected[ch][i], tolerance) << what << ", channel " << ch << ", sample " << i;
    }
}
} // namespace velk::test
