#include "PluginFixture.h"
#include "robustness/SignalChecks.h"

#include <cmath>
#include <limits>

namespace tavelin::test
{
namespace
{
    using Signal = std::vector<std::vector<float>>;

    Signal tone (int numSamples)
    {
        Signal signal (2, std::vector<float> ((size_t) numSamples));

        for (size_t ch = 0; ch < 2; ++ch)
            for (size_t i = 0; i < signal[ch].size(); ++i)
                signal[ch][i] = (float) (0.5 * std::sin (0.03 * (double) (i + 7 * ch)));

        return signal;
    }

    bool allFinite (const Signal& signal)
    {
        return countNonFinite (signal) == 0;
    }

    /** One block of the tone through the instance; the output. */
    Signal processTone (VstHost& host, int numSamples)
    {
        const auto input = tone (numSamples);
        Signal output (2, std::vector<float> ((size_t) numSamples));
        host.process (input, output);
        return output;
    }
} // namespace

TEST (Lifecycle, ManyInstancesOpenedUsedAndClosedInTurnEachWork)
{
    for (int cycle = 0; cycle < 10; ++cycle)
    {
        VstHost host (pluginLibrary(), 48000.0, 256);
        host.resume();
        const auto output = processTone (host, 256);
        host.suspend();

        ASSERT_TRUE (allFinite (output)) << cycle;
        ASSERT_GT (peak (output), 0.01f) << cycle;
    }
}

TEST (Lifecycle, InstancesLivingSideBySideCanBeClosedInAnyOrder)
{
    std::vector<std::unique_ptr<VstHost>> hosts;

    for (int i = 0; i < 4; ++i)
    {
        hosts.push_back (std::make_unique<VstHost> (pluginLibrary(), 44100.0, 128));
        hosts.back()->resume();
    }

    for (const auto index : { 2, 0, 3, 1 })
    {
        for (auto& host : hosts)
        {
            if (host != nullptr)
            {
                ASSERT_TRUE (allFinite (processTone (*host, 128)));
            }
        }

        hosts[(size_t) index]->suspend();
        hosts[(size_t) index].reset();
    }
}

TEST (Lifecycle, LibraryLoadedAndUnloadedAgainStillGivesWorkingInstances)
{
    for (int cycle = 0; cycle < 3; ++cycle)
    {
        const auto library = std::make_shared<VstLibrary> (TAVELIN_VST_PATH);
        VstHost host (library, 44100.0, 512);
        host.resume();
        const auto output = processTone (host, 512);
        host.suspend();

        ASSERT_TRUE (allFinite (output)) << cycle;
    }
}

using HostBadInput = PluginFixture;

TEST_F (HostBadInput, NonFiniteInputNeverReachesTheOutput)
{
    auto input = tone (512);
    input[0][10] = std::numeric_limits<float>::quiet_NaN();
    input[1][20] = std::numeric_limits<float>::infinity();
    Signal output (2, std::vector<float> (512));

    host->process (input, output);
    const auto afterwards = processTone (*host, 512);

    EXPECT_TRUE (allFinite (output));
    EXPECT_TRUE (allFinite (afterwards));
    EXPECT_GT (peak (afterwards), 0.01f);
}

TEST_F (HostBadInput, ProcessBeforeResumeAndAfterARateChangeKeepsTheOutputFinite)
{
    host->suspend();
    const auto beforeResume = processTone (*host, 512);

    host->setSampleRate (8000.0);
    host->setBlockSize (64);
    host->resume();
    const auto atLowRate = processTone (*host, 4096); // larger than the announced block size

    EXPECT_TRUE (allFinite (beforeResume));
    EXPECT_TRUE (allFinite (atLowRate));
}
} // namespace tavelin::test
