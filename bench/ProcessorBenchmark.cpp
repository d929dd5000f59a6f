#include "ThreadCpuClock.h"
#include "realtime/BlockRenderer.h"
#include "realtime/ProcessorScenarios.h"

#include <benchmark/benchmark.h>

namespace
{
using tavelin::bench::threadCpuSeconds;
using velk::test::BlockRenderer;
using velk::test::Scenario;

constexpr double sampleRates[] = { 44100.0, 48000.0 };
constexpr int blockSizes[] = { 32, 64, 512, 4096 };
constexpr double settleSeconds = 0.1;
constexpr double signalSeconds = 1.0;
constexpr double silenceSeconds = 10.0;
constexpr double longRunMinutes = 10.0;

/** Counters per stereo frame, so that every block size and rate reads on one scale: the CPU
    time of one frame in nanoseconds, and how many times faster than real time the processor runs.
    Measured here rather than through rate counters, which would print them with units of seconds.
*/
template <typename RenderBlock>
void renderAndCount (benchmark::State& state, double sampleRate, int blockSize, RenderBlock&& renderBlock)
{
    const auto start = threadCpuSeconds();

    for (auto _ : state)
        renderBlock();

    const auto seconds = threadCpuSeconds() - start;
    const auto frames = (double) state.iterations() * blockSize;
    state.counters["ns_per_frame"] = seconds * 1.0e9 / frames;
    state.counters["rt_factor"] = frames / sampleRate / seconds;
}

void runScenario (benchmark::State& state, Scenario scenario, double sampleRate, int blockSize)
{
    TavelinAudioProcessor processor;
    velk::test::applyScenario (processor, scenario);
    BlockRenderer renderer (processor, sampleRate, blockSize);
    renderer.renderNoiseFrames ((juce::int64) (sampleRate * settleSeconds));

    renderAndCount (state, sampleRate, blockSize, [&renderer]
                    { renderer.renderNoise(); });
}

/** Fully modulated, fed silence after a second of noise: the delay lines, feedback paths and
    filters decay towards the denormal range, which must cost no more than signal does.
*/
void runSilenceAfterSignal (benchmark::State& state, double sampleRate, int blockSize)
{
    TavelinAudioProcessor processor;
    velk::test::applyScenario (processor, Scenario::fullyModulated);
    BlockRenderer renderer (processor, sampleRate, blockSize);
    renderer.renderNoiseFrames ((juce::int64) (sampleRate * signalSeconds));

    renderAndCount (state, sampleRate, blockSize, [&renderer]
                    { renderer.renderSilence(); });
}

/** Ten minutes of fully modulated noise at 48 kHz in 512-frame blocks: the per-frame cost of the
    first and of the last minute, which must match if nothing in the processor drifts or grows.
*/
void runLongRun (benchmark::State& state)
{
    constexpr double sampleRate = 48000.0;
    constexpr int blockSize = 512;
    const auto framesPerMinute = (juce::int64) (sampleRate * 60.0);
    const auto minutes = (int) longRunMinutes;

    TavelinAudioProcessor processor;
    velk::test::applyScenario (processor, Scenario::fullyModulated);
    BlockRenderer renderer (processor, sampleRate, blockSize);
    double firstMinute = 0.0, lastMinute = 0.0;

    for (auto _ : state)
    {
        for (int minute = 0; minute < minutes; ++minute)
        {
            const auto start = threadCpuSeconds();
            renderer.renderNoiseFrames (framesPerMinute);
            const auto seconds = threadCpuSeconds() - start;

            if (minute == 0)
                firstMinute = seconds;

            lastMinute = seconds;
        }
    }

    const auto toNsPerFrame = 1.0e9 / (double) framesPerMinute;
    state.counters["first_min_ns_per_frame"] = firstMinute * toNsPerFrame;
    state.counters["last_min_ns_per_frame"] = lastMinute * toNsPerFrame;
    state.counters["last_over_first"] = lastMinute / firstMinute;
}

[[maybe_unused]] const auto registered = []
{
    constexpr Scenario scenarios[] = { Scenario::startUp, Scenario::allChains, Scenario::fullyModulated };

    for (const auto scenario : scenarios)
        for (const auto sampleRate : sampleRates)
            for (const auto blockSize : blockSizes)
            {
                const auto name = juce::String ("Processor/") + velk::test::getScenarioName (scenario) + "/"
                                  + juce::String ((int) sampleRate) + "/" + juce::String (blockSize);
                benchmark::RegisterBenchmark (name.toRawUTF8(), runScenario, scenario, sampleRate, blockSize);
            }

    for (const auto sampleRate : sampleRates)
        for (const auto blockSize : blockSizes)
        {
            const auto name = "Processor/SilenceAfterSignal/" + juce::String ((int) sampleRate) + "/" + juce::String (blockSize);
            benchmark::RegisterBenchmark (name.toRawUTF8(), runSilenceAfterSignal, sampleRate, blockSize)
                ->Iterations ((benchmark::IterationCount) (sampleRate * silenceSeconds) / blockSize);
        }

    benchmark::RegisterBenchmark ("ProcessorLongRun/FullyModulated/48000/512", runLongRun)->Iterations (1)->Unit (benchmark::kSecond);
    return true;
}();
} // namespace
