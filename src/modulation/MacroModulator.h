#pragma once

#include "modulation/Modulator.h"

#include <atomic>

namespace velk
{
//==============================================================================
/** Turns one knob (0..100 %) into a modulation source. The knob is itself a modulation
    target, so another modulator can move the macro, which passes the movement on.
*/
class MacroModulator : public Modulator
{
public:
    explicit MacroModulator (const juce::String& uid);
    ~MacroModulator() override;

    //==============================================================================
    void registerParameters (juce::AudioProcessorValueTreeState& store) override;
    void prepareToPlay (double newSampleRate, int blockSize) override;
    void processBlock (const juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void precalculateForBlock() override;
    void processSingleSample (float input) override;
    void renderFrames (float* outputs, int numFrames) override;
    void skipFrames (int numFrames) override;

private:
    //==============================================================================
    std::atomic<float>* offsetParameterValue = nullptr;
    float offsetValue = 0.0f;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MacroModulator)
};
} // namespace velk
