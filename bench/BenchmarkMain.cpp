#include <juce_events/juce_events.h>

#include <benchmark/benchmark.h>

// The one main of tavelin_benchmarks: parameter stores need JUCE's message manager, so JUCE is
// started around the benchmark run.
int main (int argc, char** argv)
{
    const juce::ScopedJuceInitialiser_GUI juce;

    benchmark::Initialize (&argc, argv);

    if (benchmark::ReportUnrecognizedArguments (argc, argv))
        return 1;

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
