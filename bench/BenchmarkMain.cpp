#include "support/IsolatedHome.h"

#include <juce_events/juce_events.h>

#include <benchmark/benchmark.h>

// The one main of tavelin_benchmarks: parameter stores need JUCE's message manager, so JUCE is
// started around the benchmark run. The processor benchmarks build whole processors, which read
// and create presets and preferences, so the run gets a fresh HOME as the tests do.
int main (int argc, char** argv)
{
    if (const auto parentResult = tavelin::test::runInIsolatedHome (argc, argv); parentResult >= 0)
        return parentResult;

    const juce::ScopedJuceInitialiser_GUI juce;

    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
