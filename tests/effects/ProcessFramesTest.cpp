#include "effects/DCBlockerModule.h"
#include "effects/GainerModule.h"
#include "effects/ModuleRig.h"
#include "effects/PannerModule.h"
#include "effects/PitchShifterModule.h"
#include "effects/SVFSingleOutModule.h"
#include "effects/SimpleDelayModule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

namespace
{
/** A module set up the same way twice: once run frame by frame through calc() and
    processSingleSample(), once in stretches through processFrames(). Knobs are in the
    parameters' own units; `laterKnobs` are set after the second block, so that ramps move.
*/
struct FramesCase
{
    const char* name;
    void (*run) (const FramesCase&);
    const char* uid;
    std::vector<std::pair<const char*, float>> knobs;
    std::vector<std::pair<const char*, float>> laterKnobs;
    std::vector<const char*> modulatedTargets;

    /** The left channel alone takes a frame first, so that the channels' memories part. */
    bool channelsApart = false;
};

/** Stretches of every kind: full, single frames, odd lengths; 1090 frames in all, enough
    for a delay gliding down from its first 1000 samples toward a short time to echo.
*/
constexpr int stretchLengths[] = { 64, 1, 37, 64, 5, 64, 64, 23, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64 };
constexpr juce::int64 modulationSeed = 31;
constexpr float untouched = 1234.0f;

bool sameBits (float a, float b)
{
    return std::memcmp (&a, &b, sizeof (float)) == 0;
}

template <typename ModuleType>
void expectFramesMatchFrameByFrame (const FramesCase& c)
{
    tavelin::test::ModuleRig<ModuleType> byFrame (c.uid), byStretch (c.uid);

    for (auto* rig : { &byFrame, &byStretch })
    {
        for (const auto& [suffix, value] : c.knobs)
            rig->set (suffix, value);

        for (const auto* target : c.modulatedTargets)
            rig->modulate (target, 0.0f);

        rig->source->wander (modulationSeed);
        rig->prepare (44100.0);
    }

    juce::Random noise (7);
    std::vector<float> left, right;

    for (size_t block = 0; block < std::size (stretchLengths); ++block)
    {
        if (block == 2)
            for (auto* rig : { &byFrame, &byStretch })
                for (const auto& [suffix, value] : c.laterKnobs)
                    rig->set (suffix, value);

        // One frame more than the stretch, which the module must leave alone.
        const auto numFrames = stretchLengths[block];
        left.assign ((size_t) numFrames + 1, untouched);
        right.assign ((size_t) numFrames + 1, untouched);

        for (int i = 0; i < numFrames; ++i)
        {
            left[(size_t) i] = noise.nextFloat() * 2.0f - 1.0f;
            right[(size_t) i] = noise.nextFloat() - 0.5f;
        }

        byFrame.beginBlock();
        byStretch.beginBlock();

        if (c.channelsApart && block == 0)
        {
            EXPECT_EQ (byFrame.module.processSingleSample (0.5f, 0), byStretch.module.processSingleSample (0.5f, 0));
        }

        std::vector<std::pair<float, float>> expected;

        for (int i = 0; i < numFrames; ++i)
            expected.push_back (byFrame.frame (left[(size_t) i], right[(size_t) i]));

        byStretch.frames (left.data(), right.data(), numFrames);

        for (int i = 0; i < numFrames; ++i)
        {
            ASSERT_TRUE (sameBits (left[(size_t) i], expected[(size_t) i].first)) << "block " << block << ", frame " << i;
            ASSERT_TRUE (sameBits (right[(size_t) i], expected[(size_t) i].second)) << "block " << block << ", frame " << i;
        }

        ASSERT_EQ (std::make_pair (left.back(), right.back()), std::make_pair (untouched, untouched)) << "block " << block;
    }
}

class ProcessFramesTest : public testing::TestWithParam<FramesCase>
{
};

TEST_P (ProcessFramesTest, GiveTheSamplesOfFrameByFrameCalls)
{
    GetParam().run (GetParam());
}

const auto gainer = expectFramesMatchFrameByFrame<velk::GainerModule>;
const auto panner = expectFramesMatchFrameByFrame<velk::PannerModule>;
const auto shifter = expectFramesMatchFrameByFrame<velk::PitchShifterModule>;
const auto delay = expectFramesMatchFrameByFrame<velk::SimpleDelayModule>;
const auto filter = expectFramesMatchFrameByFrame<velk::SVFSingleOutModule>;
const auto blocker = expectFramesMatchFrameByFrame<velk::DCBlockerModule>;

INSTANTIATE_TEST_SUITE_P (
    Modules, ProcessFramesTest,
    testing::Values (
        FramesCase{ "Gain", gainer, "Gainer_1", { { "_Gain", -20.0f } }, { { "_Gain", -3.0f } }, {} },
        FramesCase{ "GainModulated", gainer, "Gainer_1", { { "_Gain", -20.0f } }, { { "_Gain", -3.0f } }, { "_Gain" } },
        FramesCase{ "Pan", panner, "Panner_1", { { "_Pan", 20.0f } }, { { "_Pan", 80.0f } }, {} },
        FramesCase{ "PanModulated", panner, "Panner_1", { { "_Pan", 20.0f } }, { { "_Pan", 80.0f } }, { "_Pan" } },
        FramesCase{ "Shift", shifter, "Pitch_Shifter_1", { { "_Pitch", 7.0f }, { "_Feedback", 60.0f }, { "_Mix", 70.0f } }, { { "_Size", 12.0f } }, {} },
        FramesCase{ "ShiftModulated", shifter, "Pitch_Shifter_1", { { "_Pitch", -5.0f }, { "_Size", 11.0f }, { "_Feedback", 60.0f } }, { { "_Mix", 40.0f } }, { "_Pitch", "_Mix" } },
        FramesCase{ "ShiftApart", shifter, "Pitch_Shifter_1", { { "_Pitch", 12.0f }, { "_Size", 10.0f } }, {}, { "_Mix" }, true },
        FramesCase{ "Delay", delay, "Delay_1", { { "_Time", 1.0f }, { "_Feed", 70.0f }, { "_Mix", 50.0f } }, { { "_Time", 2.0f } }, {} },
        FramesCase{ "DelayModulated", delay, "Delay_1", { { "_Time", 1.0f }, { "_Feed", 70.0f } }, { { "_Mix", 30.0f } }, { "_Time", "_Mix" } },
        FramesCase{ "DelaySyncedModulated", delay, "Delay_1", { { "_Sync", 1.0f }, { "_Synced_Time", 16.0f }, { "_Feed", 50.0f }, { "_Mix", 50.0f } }, {}, { "_Time" } },
        FramesCase{ "DelayApart", delay, "Delay_1", { { "_Time", 1.0f }, { "_Feed", 40.0f }, { "_Mix", 50.0f } }, {}, { "_Time" }, true },
        FramesCase{ "PingPong", delay, "Delay_1", { { "_Time", 1.0f }, { "_Feed", 80.0f }, { "_Mix", 60.0f }, { "_PingPong", 1.0f } }, { { "_Time", 2.0f } }, {} },
        FramesCase{ "PingPongModulated", delay, "Delay_1", { { "_Time", 1.0f }, { "_Feed", 80.0f }, { "_PingPong", 1.0f } }, {}, { "_Time", "_Mix" } },
        FramesCase{ "LowPass", filter, "Filter", { { "_Cut", 500.0f }, { "_Res", 80.0f } }, { { "_Cut", 4000.0f } }, {} },
        FramesCase{ "HighPassModulated", filter, "Filter", { { "_Mode", 1.0f }, { "_Cut", 500.0f } }, { { "_Res", 50.0f } }, { "_Cut", "_Res" } },
        FramesCase{ "BandPassModulated", filter, "Filter", { { "_Mode", 2.0f }, { "_Res", 90.0f } }, {}, { "_Cut" } },
        FramesCase{ "NotchModulated", filter, "Filter", { { "_Mode", 3.0f } }, {}, { "_Res" } },
        FramesCase{ "DCBlocker", blocker, "DC", {}, {}, {} }),
    [] (const testing::TestParamInfo<FramesCase>& testCase)
    { return std::string (testCase.param.name); });
} // namespace
