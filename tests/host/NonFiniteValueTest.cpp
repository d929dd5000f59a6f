#include "PluginFixture.h"

#include <cmath>
#include <limits>

namespace tavelin::test
{
namespace
{
    struct Target
    {
        const char* name;
        int index;
        const char* hostName;
    };

    const Target targets[] = {
        { "LFO_1_Rate", 1, "LFO_1 Rate" },
        { "Gainer_1_Gain", 37, "Gainer_1 Gain" },
        { "Filter_Cut", 69, "Filter Cut" },
        { "Amplitude", 71, "Amplitude" },
        { "Dry_Wet", 72, "Dry-Wet" },
        { "Global_Mod_Scale", 332, "Global Mod Scale" },
    };

    void PrintTo (const Target& target, std::ostream* stream)
    {
        *stream << target.hostName;
    }

    std::vector<std::vector<float>> processSine (VstHost& host, int numBlocks)
    {
        std::vector<std::vector<float>> input (2, std::vector<float> (512)), output, rendered (2);

        for (int block = 0; block < numBlocks; ++block)
        {
            for (int i = 0; i < 512; ++i)
                input[0][(size_t) i] = input[1][(size_t) i] = (float) std::sin (0.05 * (block * 512 + i));

            host.process (input, output);

            for (size_t channel = 0; channel < 2; ++channel)
                rendered[channel].insert (rendered[channel].end(), output[channel].begin(), output[channel].end());
        }

        return rendered;
    }
} // namespace

class HostNonFiniteValue : public PluginFixture, public testing::WithParamInterface<Target>
{
};

TEST_P (HostNonFiniteValue, IsRefusedAndTheOutputStaysFinite)
{
    const auto index = GetParam().index;
    ASSERT_EQ (host->parameterName (index), GetParam().hostName);
    host->setParameter (index, 0.25f);
    const auto before = host->getParameter (index);
    char nanText[] = "nan";

    for (auto value : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity() })
    {
        host->setParameter (index, value);
        EXPECT_EQ (host->getParameter (index), before) << value;
    }

    host->dispatch (effString2Parameter, index, 0, nanText);
    EXPECT_EQ (host->getParameter (index), before);

    const auto output = processSine (*host, 8);

    for (const auto& channel : output)
        for (size_t i = 0; i < channel.size(); ++i)
            ASSERT_TRUE (std::isfinite (channel[i])) << "sample " << i;

    EXPECT_EQ (host->getParameter (index), before);
}

INSTANTIATE_TEST_SUITE_P (Parameters, HostNonFiniteValue, testing::ValuesIn (targets),
                          [] (const testing::TestParamInfo<Target>& target)
                          { return std::string (target.param.name); });
} // namespace tavelin::test
