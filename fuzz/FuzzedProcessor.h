#pragma once

#include "platform/ScopedCrashHandler.h"
#include "processor/PluginProcessor.h"

#include <array>
#include <cmath>
#include <csignal>

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

        // The processor points the fatal signals at the crash log, which ends the process by
        // SIGKILL before the fuzzer could keep the input that crashed it: the fuzzer's own
        // handlers go back.
        std::array<struct sigaction, ScopedCrashHandler::fatalSignals.size()> fuzzerHandlers{};

        for (size_t i = 0; i < fuzzerHandlers.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], nullptr, &fuzzerHandlers[i]);

        auto* p = new TavelinAudioProcessor();
        p->prepareToPlay (sampleRate, maxBlockSize);

        for (size_t i = 0; i < fuzzerHandlers.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], &fuzzerHandlers[i], nullptr);

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
