#pragma once

#include "effects/AudioEffectModule.h"
#include "effects/ParameterRamp.h"
#include "effects/PitchShifter.h"
#include "modulation/EqualPowerCrossfade.h"

namespace velk
{
/** Shifts each channel by -24..24 semitones with a granular shifter, feeds the shifted signal
    back for repeats that climb (or fall) further, and mixes it with the input by the
    equal-power crossfade. Pitch and mix are modulation targets; modulation raises the pitch
    toward +24 semitones.
*/
class PitchShifterModule : public AudioEffectModule
{
public:
    PitchShifterModule (const juce::String& moduleUid, int numChannelsToKeep);
    ~PitchShifterModule() override;

    /** The text of a pitch value: "-12 Semi", "7 Semi". */
    static juce::String getPitchText (float semitones);

    const PitchShifter<double>& getShifter (int channel) const { return shifters[(size_t) channel]; }

    //==============================================================================
    void registerParameters (juce::AudioProcessorValueTreeState& store) override;
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int numSamples) override;
    void precalculateForBlock() override;
    void precalculateForBypassedBlock() override;
    void calc() override;
    float processSingleSample (float x, int channel) override;
    void processFrames (float* left, float* right, int numFrames) override;
    void cleanUp() override;

private:
    //==============================================================================
    /** A mix amount as its gains take it: clamped to [0, 1]. */
    static float clampMix (float mixAmount) noexcept;

    /** The input and the shifted signal mixed by the gains of the mix. */
    static float applyMix (const EqualPowerGains& gains, float x, double shifted) noexcept;

    void applyModulation() noexcept;
    /** modulatedSemitones() and the clamped modulatedMix() of every frame of a stretch. */
    static void modulateFrames (float knobPitch, float knobMix, const float* pitchModulation, const float* mixModulation,
                                int* semitones, float* mixes, int numFrames) noexcept;
    static int modulatedSemitones (float knobPitch, float modulation) noexcept;
    static float modulatedMix (float knobMix, float modulation) noexcept;
    void setSemitones (int semitones) noexcept;
    void followGrainSize() noexcept;

    std::atomic<float>* pitchValue = nullptr;
    std::atomic<float>* sizeValue = nullptr;
    std::atomic<float>* feedbackValue = nullptr;
    std::atomic<float>* mixValue = nullptr;
    std::vector<PitchShifter<double>> shifters;
    ParameterRamp<float> mixRamp;
    int rampLengthSamples = 0;
    int pitchSemitones = 0;
    float feedback = 0.0f;
    float mix = 1.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PitchShifterModule)
};
} // namespace velk
