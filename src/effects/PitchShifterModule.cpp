#include "effects/PitchShifterModule.h"

#include "modulation/EqualPowerCrossfade.h"
#include "modulation/ModulationsManager.h"
#include "parameters/ParameterConversions.h"
#include "parameters/ParameterCreation.h"
#include "parameters/ParameterText.h"

namespace velk
{
namespace
{
    constexpr int maxSemitones = 24;

    const char* const pitchSuffix = "_Pitch";
    const char* const sizeSuffix = "_Size";
    const char* const feedbackSuffix = "_Feedback";
    const char* const mixSuffix = "_Mix";

    int clampSemitones (int semitones) noexcept
    {
        return juce::jlimit (-maxSemitones, maxSemitones, semitones);
    }
} // namespace

juce::String PitchShifterModule::getPitchText (float semitones)
{
    return juce::String (roundToIndex (semitones)) + " Semi";
}

PitchShifterModule::PitchShifterModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep),
      shifters ((size_t) juce::jmax (0, numChannelsToKeep))
{
}

PitchShifterModule::~PitchShifterModule() = default;

//==============================================================================
void PitchShifterModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    pitchValue = addFloatParameter (store, uid + pitchSuffix, uid + " Pitch",
                                    { (float) -maxSemitones, (float) maxSemitones, 1.0f, 1.0f }, 0.0f, "Semi",
                                    getPitchText);
    sizeValue = addFloatParameter (store, uid + sizeSuffix, uid + " Size",
                                   { 10.0f, 200.0f, 1.0f, 0.5f }, 30.0f, "Ms",
                                   getMillisecondsParameterText);
    feedbackValue = addFloatParameter (store, uid + feedbackSuffix, uid + " Feed",
                                       { 0.0f, 100.0f, 0.01f, 1.0f }, 0.0f, "%",
                                       getPercentParameterText);
    mixValue = addFloatParameter (store, uid + mixSuffix, uid + " Mix",
                                  { 0.0f, 100.0f, 0.01f, 1.0f }, 100.0f, "%",
                                  getPercentParameterText);
}

void PitchShifterModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);

    for (auto& shifter : shifters)
        shifter.prepare (sampleRate);

    rampLengthSamples = (int) (0.001 * sampleRate * 30.0);
}

void PitchShifterModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    precalculateForBlock();

    if (modsActive)
        applyModulation();

    const auto channelsToShift = juce::jmin (buffer.getNumChannels(), (int) shifters.size());

    for (int channel = 0; channel < channelsToShift; ++channel)
    {
        auto* samples = buffer.getWritePointer (channel);

        for (int i = 0; i < numSamples; ++i)
            samples[i] = processSingleSample (samples[i], channel);
    }

    mixRamp.advance (numSamples);
}

void PitchShifterModule::precalculateForBlock()
{
    feedback = (float) (feedbackValue->load() * 0.01 * 0.96);
    mixRamp.aimAt (mixValue->load(), rampLengthSamples);
    pitchSemitones = clampSemitones (roundToIndex (pitchValue->load()));
    mix = (float) (mixRamp.current * 0.01);

    const auto grainSize = sampleRate * 0.001 * (double) sizeValue->load();

    for (auto& shifter : shifters)
        shifter.setGrainSize (grainSize);

    setSemitones (pitchSemitones);
    AudioEffectModule::precalculateForBlock();
}

void PitchShifterModule::calc()
{
    mixRamp.advance();

    if (modsActive)
        applyModulation();
}

float PitchShifterModule::processSingleSample (float x, int channel)
{
    const auto fb = juce::jlimit (0.0f, 1.0f, feedback);
    const auto wet = shifters[(size_t) channel].getNextSample (x, fb);
    const auto m = juce::jlimit (0.0f, 1.0f, mix);

    return (float) (wet * equalPowerWetGain (m) + (double) x * equalPowerDryGain (m));
}

void PitchShifterModule::cleanUp()
{
    for (auto& shifter : shifters)
        shifter.cleanUp();
}

juce::StringArray PitchShifterModule::getModulationParameterNames() const
{
    return { uid + pitchSuffix, uid + mixSuffix };
}

juce::String PitchShifterModule::getParameterUID (int index) const
{
    return getSuffixedUID ({ pitchSuffix, sizeSuffix, feedbackSuffix, mixSuffix }, index);
}

//==============================================================================
void PitchShifterModule::applyModulation() noexcept
{
    const auto pitchModulation = pollModulation (0);
    const auto mixModulation = pollModulation (1);

    const auto knobPitch = pitchValue->load();
    pitchSemitones = clampSemitones (roundToIndex (((float) maxSemitones - knobPitch) * pitchModulation + knobPitch));

    const auto knobMix = mixValue->load();
    mix = ((100.0f - knobMix) * mixModulation + knobMix) * 0.01f;

    setSemitones (pitchSemitones);
}

void PitchShifterModule::setSemitones (int semitones) noexcept
{
    for (auto& shifter : shifters)
        shifter.setSemitones (semitones);
}
} // namespace velk
