#include "PluginFixture.h"
#include "RenderScenario.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tavelin::test
{
namespace
{
    std::vector<float> renderThroughTheBinary()
    {
        VstHost host (pluginLibrary(), scenario::sampleRate, scenario::blockSize);
        host.resume();

        for (const auto& setting : scenario::settings)
            host.setParameter (setting.hostIndex, setting.normalised);

        std::vector<float> rendered;

        for (int block = 0; block < scenario::numBlocks; ++block)
        {
            std::vector<std::vector<float>> input (scenario::numChannels, std::vector<float> (scenario::blockSize));

            for (int ch = 0; ch < scenario::numChannels; ++ch)
                for (int i = 0; i < scenario::blockSize; ++i)
                    input[(size_t) ch][(size_t) i] = scenario::inputSample (ch, block * scenario::blockSize + i);

            std::vector<std::vector<float>> output;
            host.process (input, output);

            for (const auto& channel : output)
                rendered.insert (rendered.end(), channel.begin(), channel.end());
        }

        host.suspend();
        return rendered;
    }

    std::vector<float> renderInProcess()
    {
        const std::string path = std::string (std::getenv ("HOME")) + "/reference-render.raw";
        const auto command = std::string ("'") + TAVELIN_RENDER_REFERENCE_PATH + "' '" + path + "'";

        if (std::system (command.c_str()) != 0)
            return {};

        std::ifstream in (path, std::ios::binary);
        const std::vector<char> bytes ((std::istreambuf_iterator<char> (in)), std::istreambuf_iterator<char>());
        std::vector<float> samples (bytes.size() / sizeof (float));
        std::memcpy (samples.data(), bytes.data(), samples.size() * sizeof (float));
        return samples;
    }
} // namespace

TEST (HostRender, BinaryRendersExactlyWhatThePluginCodeRenders)
{
    const auto reference = renderInProcess();
    const auto rendered = renderThroughTheBinary();

    ASSERT_EQ (reference.size(), (size_t) (scenario::numBlocks * scenario::numChannels * scenario::blockSize));
    ASSERT_EQ (rendered.size(), reference.size());

    auto energy = 0.0;

    for (size_t i = 0; i < reference.size(); ++i)
    {
        ASSERT_EQ (rendered[i], reference[i]) << "sample " << i;
        energy += (double) rendered[i] * rendered[i];
    }

    EXPECT_GT (energy, 1.0) << "the scenario must make sound";
}

TEST (HostRender, SilenceInGivesSilenceOutFromAFreshInstance)
{
    VstHost host (pluginLibrary());
    host.resume();

    std::vector<std::vector<float>> output;
    host.process ({ std::vector<float> (512, 0.0f), std::vector<float> (512, 0.0f) }, output);

    for (const auto& channel : output)
        for (auto sample : channel)
            ASSERT_EQ (sample, 0.0f);
}
} // namespace tavelin::test
