#pragma once

#include "effects/AudioEffectModule.h"
#include "effects/ParameterRamp.h"

namespace velk
{
/** A two-pole state-variable filter with trapezoidal integrators and a tanh on its band-pass
    state, giving one output chosen by the mode: low-pass, high-pass, band-pass or notch.
    Cutoff and resonance glide over 60 ms and are modulation targets; the mode is read at every
    sample and is neither smoothed nor modulated.
*/
class SVFSingleOutModule : public AudioEffectModule
{
public:
    /** Coefficients (shared by every channel) and integrator states (each channel's own). */
    struct ChannelState
    {
        double g = 1.0;
        double h = 1.0;
        double k = 1.0;
        double s1 = 0.0;
        double s2 = 0.0;
        double damping = 1.0;
    };

    /** The text of a mode value: "LPF", "HPF", "BPF", "NOTCH", or empty. */
    static juce::String getModeText (float modeValue);

    /** The highest cutoff, as a fraction of the sample rate, that the tangent is taken at; only
        rates below about 36.7 kHz ever reach it (the cutoff's top is 18 kHz).
    */
    static constexpr double maxCutoffRatio = 0.49;

    SVFSingleOutModule (const juce::String& moduleUid, int numChannelsToKeep);
    ~SVFSingleOutModule() override;

    const ChannelState& getChannelState (int channel) const { return channelStates[(size_t) channel]; }

    //==============================================================================
    void registerParameters (juce::AudioProcessorValueTreeState& store) override;
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) override;
    void precalculateForBlock() override;
    void calc() override;
    float processSingleSample (float x, int channel) override;
    void processFrames (float* left, float* right, int numFrames) override;

    /** The frames of a block in which the filter hears nothing: its ramps move on as calc()
        would move them.
    */
    void advanceFrames (int numFrames);
    void cleanUp() override;

private:
    //==============================================================================
    float getModulatedCutoff() const noexcept;
    float getModulatedResonance() const noexcept;
    static float modulatedCutoff (float knob, float modulation) noexcept;
    static float modulatedResonance (float knob, float modulation) noexcept;
    /** The coefficients of one cutoff and resonance, shared by every channel. */
    struct Coefficients
    {
        double g, h, k, damping;
    };

    static float filterSample (float x, const Coefficients& coefficients, ChannelState& state, int mode) noexcept;

    /** Sets every channel's coefficients, unless they are already those of these values. */
    void setCoefficients (float cutoffHz, float resonancePercent) noexcept;
    bool areCoefficientsOf (float cutoffHz, float resonancePercent) const noexcept;
    Coefficients computeCoefficients (float cutoffHz, float resonancePercent) const noexcept;
    void storeCoefficients (const Coefficients& coefficients) noexcept;

    std::vector<ChannelState> channelStates;
    std::atomic<float>* modeValue = nullptr;
    std::atomic<float>* cutValue = nullptr;
    std::atomic<float>* resValue = nullptr;
    ParameterRamp<float> cutRamp;
    ParameterRamp<float> resRamp;
    int rampLengthSamples = 0;

    /** The parts of the coefficients that only the sample rate sets, formed as the
        coefficients form them from the sample period.
    */
    struct RateTerms
    {
        explicit RateTerms (double rate) noexcept;

        double halfPeriod;
        double twiceRate;
        double highestCutoff;
    };

    RateTerms rateTerms{ sampleRate };
    float coefficientCutoff = -1.0f;
    float coefficientResonance = -1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (SVFSingleOutModule)
};
} // namespace velk
