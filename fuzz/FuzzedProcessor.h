#pragma once

#include "processor/PluginProcessor.h"

#include <cmath>

namespace velk::fuzz
{
constexpr double sampleRate = 44100.0;
constexpr int maxBlockSize = 512;

/** The one processor that a fuzz target feeds, made on first use with JUCE started and kept
    for the whole run (a new one per input would spend the time on construction). Prepared at
    44.1 kHz for blocks of up to maxBlockSize.
*/
inline TavelinAudioProcessor& fuzzedProcessor()
{
    static TavelinAudioProcessor* const processor = []
    {
        // Started for good: the run ends with exit(), which must not shut JUCE down under a
        // processor that is still alive.
        juce::initialiseJuce_GUI();

        // The processor's crash handler hands every fault on to the fuzzer's, which keeps the
        // input that caused it.
        auto* p = new TavelinAudioProcessor();
        p->prepareToPlay (sampleRate, maxBlockSize);
        return p;
    }();

    return *processor;
}

/** One block of a quiet tone through the processor, with the given MIDI. */
inline void processBlock (TavelinAudioProcessor& processor, int numSamples, juce::MidiBuffer& midi)
{
    juce::AudioBuffer<float> buffer (2, numSamples);

    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < numSamples; ++i)
            buffer.setSample (ch, i, 0.25f * (float) ((i % 32) - 16) / 16.0f);

    processor.processBlock (buffer, midi);

    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < numSamples; ++i)
            if (!std::isfinite (buffer.getSample (ch, i)))
                __builtin_trap();
}
} // namespace velk::fuzz
