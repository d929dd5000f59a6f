#include "effects/DCBlockerModule.h"
#include "effects/GainerModule.h"
#include "effects/ModuleRig.h"
#include "effects/PannerModule.h"
#include "effects/PitchShifterModule.h"
#include "effects/SVFSingleOutModule.h"
#include "effects/SimpleDelayModule.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int framesPerBlock = 512;

std::vector<float> makeInput()
{
    juce::Random random (7);
    std::vector<float> input ((size_t) framesPerBlock);

    for (auto& x : input)
        x = random.nextFloat() * 2.0f - 1.0f;

    return input;
}

/** Reports the time of one stereo frame rather than of one block. */
void setPerFrameCounter (benchmark::State& state)
{
    state.counters["per_frame"] = benchmark::Counter (framesPerBlock,
                                                      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

/** One module driven as the processor drives it: block stage, then stretches of frames with
    the source's outputs rendered for them. With a target suffix, the matrix reaches that
    target at every frame, from a source that moves at every frame.
*/
template <typename ModuleType>
void runModule (benchmark::State& state, const char* uid, const char* modulatedTarget)
{
    tavelin::test::ModuleRig<ModuleType> rig (uid);

    if (modulatedTarget != nullptr)
    {
        rig.modulate (modulatedTarget, 0.5f);
        rig.source->wander (3);
    }

    rig.prepare (sampleRate);
    const auto input = makeInput();
    std::vector<float> left (input.size()), right (input.size());
    constexpr auto stretch = velk::AudioEffectModule::maxFrames;

    for (auto _ : state)
    {
        rig.beginBlock();
        std::copy (input.begin(), input.end(), left.begin());
        std::transform (input.begin(), input.end(), right.begin(), [] (float x)
                        { return -x; });

        for (int start = 0; start < framesPerBlock; start += stretch)
            rig.frames (left.data() + start, right.data() + start, stretch);

        benchmark::DoNotOptimize (left.data());
        benchmark::DoNotOptimize (right.data());
    }

    setPerFrameCounter (state);
}

void runDCBlocker (benchmark::State& state)
{
    velk::DCBlockerModule blocker ("DC", 2);
    blocker.prepareToPlay (sampleRate, framesPerBlock);
    const auto input = makeInput();
    juce::AudioBuffer<float> buffer (2, framesPerBlock);
    juce::MidiBuffer midi;

    for (auto _ : state)
    {
        for (int channel = 0; channel < 2; ++channel)
            buffer.copyFrom (channel, 0, input.data(), framesPerBlock);

        blocker.processBlock (buffer, midi, framesPerBlock);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }

    setPerFrameCounter (state);
}

[[maybe_unused]] const auto registered = []
{
    benchmark::RegisterBenchmark ("Gainer", runModule<velk::GainerModule>, "Gainer_1", nullptr);
    benchmark::RegisterBenchmark ("GainerModulated", runModule<velk::GainerModule>, "Gainer_1", "_Gain");
    benchmark::RegisterBenchmark ("Panner", runModule<velk::PannerModule>, "Panner_1", nullptr);
    benchmark::RegisterBenchmark ("PannerModulated", runModule<velk::PannerModule>, "Panner_1", "_Pan");
    benchmark::RegisterBenchmark ("Filter", runModule<velk::SVFSingleOutModule>, "Filter", nullptr);
    benchmark::RegisterBenchmark ("FilterModulated", runModule<velk::SVFSingleOutModule>, "Filter", "_Cut");
    benchmark::RegisterBenchmark ("PitchShifter", runModule<velk::PitchShifterModule>, "Pitch_Shifter_1", nullptr);
    benchmark::RegisterBenchmark ("PitchShifterModulated", runModule<velk::PitchShifterModule>, "Pitch_Shifter_1", "_Pitch");
    benchmark::RegisterBenchmark ("Delay", runModule<velk::SimpleDelayModule>, "Delay_1", nullptr);
    benchmark::RegisterBenchmark ("DelayModulated", runModule<velk::SimpleDelayModule>, "Delay_1", "_Time");
    benchmark::RegisterBenchmark ("DCBlockerWholeBuffer", runDCBlocker);
    return true;
}();
} // namespace
