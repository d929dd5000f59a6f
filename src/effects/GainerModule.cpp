#include "effects/GainerModule.h"

#include "modulation/ModulationsManager.h"
#include "parameters/ParameterText.h"

namespace velk
{
namespace
{
    // The chain's level is left to the user: the randomizer never moves it.
    constexpr std::array<ParameterSpec, 1> parameterRows{ {
        // suffix, name, label, range, default, text, editor position, randomized, modulation target
        { "_Gain", " Gain", "dB", { -70.0f, 0.0f, 0.01f, 1.5f }, -6.0f, getDecibelsParameterText, 0, false, true },
    } };

    const auto& gainRow = parameterRows[0];
} // namespace

const juce::String GainerModule::gainParameterMainUIDString{ "Gain" };

GainerModule::GainerModule (const juce::String& moduleUid, int numChannelsToKeep)
    : AudioEffectModule (moduleUid, numChannelsToKeep, parameterRows),
      gainRamp{ gainRow.defaultValue }
{
}

GainerModule::~GainerModule() = default;

juce::String GainerModule::getGainParameterUID() const
{
    return getParameterUID (0);
}

//==============================================================================
void GainerModule::registerParameters (juce::AudioProcessorValueTreeState& store)
{
    gainValue = createParameters (store)[0];
}

void GainerModule::prepareToPlay (double newSampleRate, int)
{
    setSampleRate (newSampleRate);
    rampLengthSamples = rampLengthInSamples (sampleRate, moduleRampMs);
}

void GainerModule::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int numSamples)
{
    AudioEffectModule::precalculateForBlock();

    const auto knobDb = gainValue->load();
    const auto targetDb = modsActive ? knobDb + (gainRow.range.end - knobDb) * pollModulation (0) : knobDb;

    gainRamp.aimAt (targetDb, rampLengthSamples);
    buffer.applyGain (0, numSamples, rampGain (gainRamp.current));
    gainRamp.advance (numSamples);
}

void GainerModule::precalculateForBlock()
{
    gainRamp.aimAt (gainValue->load(), rampLengthSamples);
    gain = rampGain (gainRamp.current);
    AudioEffectModule::precalculateForBlock();
}

void GainerModule::calc()
{
    gainRamp.advance();

    if (modsActive)
        gain = modulatedGain (knobGain (gainValue->load()), pollModulation (0));
}

float GainerModule::processSingleSample (float x, int)
{
    return x * gain;
}

void GainerModule::processFrames (float* left, float* right, int numFrames)
{
    auto frameGain = gain;

    if (modsActive)
    {
        // The knob holds through the frames, so its power of ten is taken once.
        const auto knob = knobGain (gainValue->load());
        const auto* modulation = getModulationFrames (0);

        for (int i = 0; i < numFrames; ++i)
        {
            frameGain = modulatedGain (knob, modulation[i]);
            left[i] *= frameGain;
            right[i] *= frameGain;
        }
    }
    else
    {
        for (int i = 0; i < numFrames; ++i)
        {
            left[i] *= frameGain;
            right[i] *= frameGain;
        }
    }

    gain = frameGain;
    gainRamp.advance (numFrames);
}

//==============================================================================
float GainerModule::modulatedGain (float knobGain, float modulation) noexcept
{
    return knobGain + (1.0f - knobGain) * modulation;
}
} // namespace velk
