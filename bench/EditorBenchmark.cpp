#include "ModulatedEditorSession.h"
#include "ThreadCpuClock.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

// What the editor costs the message thread, each figure also as a multiple of what one
// 512-frame block of the fully modulated patch costs the audio thread, measured in the same run
// (EditorCost/ProcessorBlock, registered first so that it runs before the others).
namespace
{
using tavelin::bench::ModulatedEditorSession;
using tavelin::bench::threadCpuSeconds;

constexpr float uiScales[] = { 1.0f, 1.5f };
constexpr benchmark::IterationCount referenceBlocks = 2000; // about half a second of CPU

std::vector<double> referenceBlockSeconds; // one entry per repetition of the reference

double medianReferenceBlockSeconds()
{
    if (referenceBlockSeconds.empty())
        return 0.0;

    auto sorted = referenceBlockSeconds;
    std::sort (sorted.begin(), sorted.end());
    const auto middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : 0.5 * (sorted[middle - 1] + sorted[middle]);
}

/** `us`: the thread CPU time of one iteration; `per_block`: that over the reference block's
    (left out when the reference did not run, as under a filter that excludes it).
*/
void reportCost (benchmark::State& state, double seconds)
{
    const auto perIteration = seconds / (double) state.iterations();
    state.counters["us"] = perIteration * 1.0e6;

    if (const auto block = medianReferenceBlockSeconds(); block > 0.0)
        state.counters["per_block"] = perIteration / block;
}

void runReferenceBlock (benchmark::State& state)
{
    TavelinAudioProcessor processor;
    velk::test::applyScenario (processor, velk::test::Scenario::fullyModulated);
    velk::test::BlockRenderer renderer (processor, ModulatedEditorSession::sampleRate, ModulatedEditorSession::blockSize);
    renderer.renderNoiseFrames ((juce::int64) ModulatedEditorSession::sampleRate);

    const auto start = threadCpuSeconds();

    for (auto _ : state)
        renderer.renderNoise();

    const auto seconds = threadCpuSeconds() - start;
    referenceBlockSeconds.push_back (seconds / (double) state.iterations());
    reportCost (state, seconds);
}

//==============================================================================
void runUnchangedTick (benchmark::State& state)
{
    ModulatedEditorSession session (1.0f);
    auto& editor = session.openEditor();
    editor.timerCallback(); // the first tick shows the state; the ones after find nothing new

    const auto start = threadCpuSeconds();

    for (auto _ : state)
        editor.timerCallback();

    reportCost (state, threadCpuSeconds() - start);
}

/** Between ticks the global depth swaps between 100 % and 50 % (every ring moves) and a block
    plays (the scope trace moves); only the tick is timed.
*/
void runMovingTick (benchmark::State& state)
{
    ModulatedEditorSession session (1.0f);
    auto& editor = session.openEditor();
    editor.timerCallback();

    const auto& modsBuffer = session.processor.getReadouts().getModsBuffer();
    const auto watchedTarget = modsBuffer.getPropertyName (0);
    double seconds = 0.0;
    bool fullDepth = true;

    for (auto _ : state)
    {
        state.PauseTiming();
        fullDepth = !fullDepth;
        const auto depthBefore = (double) modsBuffer[watchedTarget];
        velk::test::setParameter (session.processor, velk::ModulationsManager::globalModDepthParameterUID, fullDepth ? 100.0f : 50.0f);
        session.playBlock();
        const auto moved = (double) modsBuffer[watchedTarget] != depthBefore;
        state.ResumeTiming();

        if (!moved)
        {
            state.SkipWithError ("the published depths did not move between ticks");
            break;
        }

        const auto start = threadCpuSeconds();
        editor.timerCallback();
        seconds += threadCpuSeconds() - start;
    }

    reportCost (state, seconds);
}

//==============================================================================
void paintEditor (juce::Component& editor, juce::Image& image)
{
    juce::Graphics g (image);
    editor.paintEntireComponent (g, true);
}

// The knobs keep their drawing in images; a repaint() of each component throws those away,
// as every ring changing (or a new scale) does.
void discardCachedImages (juce::Component& component)
{
    component.repaint();

    for (auto* child : component.getChildren())
        discardCachedImages (*child);
}

/** The whole editor drawn into an image of its size, as a window's first or uncovered paint
    draws it: with every component redrawn (`discardCaches`) or with the knobs' images kept.
*/
void runRepaint (benchmark::State& state, float uiScale, bool discardCaches)
{
    ModulatedEditorSession session (uiScale);
    auto& editor = session.openEditor();
    editor.timerCallback();
    juce::Image image (juce::Image::ARGB, editor.getWidth(), editor.getHeight(), true, juce::SoftwareImageType());
    paintEditor (editor, image);

    const auto start = threadCpuSeconds();

    for (auto _ : state)
    {
        if (discardCaches)
            discardCachedImages (editor);

        paintEditor (editor, image);
    }

    reportCost (state, threadCpuSeconds() - start);
}

/** Opening and closing the window without it being shown, or with its first paint; the looks
    that editors share are made and deleted with it, as when no other editor is open.
*/
void runConstruction (benchmark::State& state, float uiScale, bool firstPaint)
{
    ModulatedEditorSession session (uiScale);
    const auto start = threadCpuSeconds();

    for (auto _ : state)
    {
        auto& editor = session.openEditor();

        if (firstPaint)
        {
            juce::Image image (juce::Image::ARGB, editor.getWidth(), editor.getHeight(), true, juce::SoftwareImageType());
            paintEditor (editor, image);
        }

        session.closeEditor();
    }

    reportCost (state, threadCpuSeconds() - start);
}

[[maybe_unused]] const auto registered = []
{
    benchmark::RegisterBenchmark ("EditorCost/ProcessorBlock/FullyModulated/48000/512", runReferenceBlock)
        ->Iterations (referenceBlocks)
        ->Unit (benchmark::kMicrosecond);
    benchmark::RegisterBenchmark ("EditorCost/Tick/Unchanged", runUnchangedTick)->Unit (benchmark::kMicrosecond);
    benchmark::RegisterBenchmark ("EditorCost/Tick/EveryTargetAndScopeMoving", runMovingTick)->Unit (benchmark::kMicrosecond);

    for (const auto scale : uiScales)
    {
        const auto suffix = "/" + juce::String (scale, 1);
        benchmark::RegisterBenchmark (("EditorCost/Repaint/Full" + suffix).toRawUTF8(), runRepaint, scale, true)
            ->Unit (benchmark::kMillisecond);
        benchmark::RegisterBenchmark (("EditorCost/Repaint/KnobImagesKept" + suffix).toRawUTF8(), runRepaint, scale, false)
            ->Unit (benchmark::kMillisecond);
        benchmark::RegisterBenchmark (("EditorCost/ConstructDestroy" + suffix).toRawUTF8(), runConstruction, scale, false)
            ->Unit (benchmark::kMillisecond);
        benchmark::RegisterBenchmark (("EditorCost/ConstructFirstPaintDestroy" + suffix).toRawUTF8(), runConstruction, scale, true)
            ->Unit (benchmark::kMillisecond);
    }

    return true;
}();
} // namespace
