#include "realtime/BlockRenderer.h"
#include "realtime/ProcessorScenarios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace
{
using velk::test::BlockRenderer;
using velk::test::Scenario;

/** FNV-1a over the bit patterns of every output sample. */
class SampleHash
{
public:
    void add (const juce::AudioBuffer<float>& buffer)
    {
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
            {
                const auto sample = buffer.getSample (ch, i);
                std::uint32_t bits;
                std::memcpy (&bits, &sample, sizeof (bits));
                value = (value ^ bits) * 1099511628211ull;
            }
    }

    std::uint64_t value = 14695981039346656037ull;
};

/** Not a timing: prints a hash of the processor's output in every scenario, for 3 s of noise
    and 1 s of silence, at both rates and three block sizes. An optimisation that must leave the
    sound alone prints the same lines before and after.
*/
void printOutputFingerprints (benchmark::State& state)
{
    for (auto _ : state)
        for (const auto scenario : { Scenario::startUp, Scenario::allChains, Scenario::fullyModulated })
            for (const auto blockSize : { 37, 512, 4096 })
                for (const auto sampleRate : { 44100.0, 48000.0 })
                {
                    TavelinAudioProcessor processor;
                    velk::test::applyScenario (processor, scenario);
                    BlockRenderer renderer (processor, sampleRate, blockSize);
                    SampleHash hash;

                    for (int block = 0; block < (int) (sampleRate * 3.0) / blockSize; ++block)
                    {
                        renderer.renderNoise();
                        hash.add (renderer.getBuffer());
                    }

                    for (int block = 0; block < (int) sampleRate / blockSize; ++block)
                    {
                        renderer.renderSilence();
                        hash.add (renderer.getBuffer());
                    }

                    std::printf ("%s %d %d %016llx\n", velk::test::getScenarioName (scenario), (int) sampleRate, blockSize,
                                 (unsigned long long) hash.value);
                }
}

[[maybe_unused]] const auto registered = benchmark::RegisterBenchmark ("OutputFingerprint", printOutputFingerprints) -> Iterations (1);
} // namespace
