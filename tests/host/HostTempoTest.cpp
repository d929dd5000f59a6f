#include "PluginFixture.h"

#include <cmath>
#include <limits>

namespace tavelin::test
{
namespace
{
    constexpr int numBlocks = 40;

    /** Every tempo-synced module on at its fastest division, every chain playing, and each LFO
        driving a delay time or the filter through the matrix, so that the tempo reaches the
        sound through every path it has.
    */
    const std::vector<std::pair<std::string, float>> everythingSynced{
        { "Chain_Bypass_1", 0.0f },
        { "Chain_Bypass_2", 0.0f },
        { "Delay_1 Sync", 1.0f },
        { "Delay_2 Sync", 1.0f },
        { "Delay_3 Sync", 1.0f },
        { "Delay_1 Synced Time", 1.0f },
        { "Delay_2 Synced Time", 1.0f },
        { "Delay_3 Synced Time", 1.0f },
        { "Delay_1 Feed", 0.7f },
        { "Delay_2 Feed", 0.7f },
        { "Delay_3 Feed", 0.7f },
        { "Delay_1 Mix", 0.5f },
        { "Delay_2 Mix", 0.5f },
        { "Delay_3 Mix", 0.5f },
        { "Delay_3 Ping Pong", 1.0f },
        { "LFO_1 Sync", 1.0f },
        { "LFO_2 Sync", 1.0f },
        { "LFO_3 Sync", 1.0f },
        { "LFO_4 Sync", 1.0f },
        { "LFO_1 Synced Rate", 1.0f },
        { "LFO_2 Synced Rate", 0.5f },
        { "LFO_3 Synced Rate", 0.0f },
        { "LFO_4 Synced Rate", 1.0f },
        { "Matrix_LFO_1_to_Delay_1_Time", 0.8f },
        { "Matrix_LFO_2_to_Delay_2_Time", 0.8f },
        { "Matrix_LFO_3_to_Delay_3_Time", 0.8f },
        { "Matrix_LFO_4_to_Filter_Cut", 0.8f },
    };

    int parameterIndex (VstHost& host, const std::string& name)
    {
        for (int index = 0; index < host.effect().numParams; ++index)
            if (host.parameterName (index) == name)
                return index;

        throw std::runtime_error ("no parameter named " + name);
    }

    /** Every synced module on, a tone in, the host reporting `bpm` from the first block. */
    std::vector<float> renderAtTempo (double bpm)
    {
        VstHost host (pluginLibrary());
        host.resume();
        host.setHostTempo (bpm);

        for (const auto& [name, value] : everythingSynced)
            host.setParameter (parameterIndex (host, name), value);

        std::vector<float> rendered;
        std::vector<std::vector<float>> input (2, std::vector<float> (512)), output;

        for (int block = 0; block < numBlocks; ++block)
        {
            for (int i = 0; i < 512; ++i)
                input[0][(size_t) i] = input[1][(size_t) i] = (float) std::sin (0.05 * (block * 512 + i));

            host.process (input, output);

            for (const auto& channel : output)
                rendered.insert (rendered.end(), channel.begin(), channel.end());
        }

        host.suspend();
        return rendered;
    }

    void expectFinite (const std::vector<float>& rendered)
    {
        for (size_t i = 0; i < rendered.size(); ++i)
            ASSERT_TRUE (std::isfinite (rendered[i])) << "sample " << i;
    }
} // namespace

struct UnusableTempo
{
    const char* name;
    double bpm;
};

const UnusableTempo unusableTempos[] = {
    { "NaN", std::numeric_limits<double>::quiet_NaN() },
    { "PlusInfinity", std::numeric_limits<double>::infinity() },
    { "MinusInfinity", -std::numeric_limits<double>::infinity() },
    { "Zero", 0.0 },
    { "Negative", -120.0 },
};

class HostTempoTest : public testing::TestWithParam<UnusableTempo>
{
};

TEST_P (HostTempoTest, TempoThatIsNotAFinitePositiveNumberSoundsAs120Bpm)
{
    const auto rendered = renderAtTempo (GetParam().bpm);

    expectFinite (rendered);
    EXPECT_EQ (rendered, renderAtTempo (120.0));
}

INSTANTIATE_TEST_SUITE_P (Unusable, HostTempoTest, testing::ValuesIn (unusableTempos),
                          [] (const testing::TestParamInfo<UnusableTempo>& testCase)
                          { return std::string (testCase.param.name); });

TEST (HostTempo, TrillionBpmGivesFiniteOutput)
{
    const auto rendered = renderAtTempo (1.0e12);

    expectFinite (rendered);
    EXPECT_NE (rendered, renderAtTempo (120.0));
}
} // namespace tavelin::test
