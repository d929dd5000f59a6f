#include "effects/ModuleRig.h"
#include "effects/PitchShifterModule.h"
#include "effects/SimpleDelayModule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <utility>

namespace
{
const auto quietNaN = std::numeric_limits<float>::quiet_NaN();
const auto infinity = std::numeric_limits<float>::infinity();

/** A module with long feedback, so that anything its memory keeps comes back again and again. */
template <typename ModuleType>
class ModuleMemoryTest : public testing::Test
{
protected:
    using Settings = std::initializer_list<std::pair<const char*, float>>;

    /** Prepares the module at 44.1 kHz with these parameter values, then lets its glides and
        ramps arrive on silence.
    */
    ModuleMemoryTest (const juce::String& uid, Settings settings)
        : rig (uid)
    {
        rig.prepare (44100.0);

        for (const auto& [suffix, value] : settings)
            rig.set (suffix, value);

        countNonFiniteOutputs (4096, 0.0f);
    }

    /** Runs `numFrames` frames of `input` in blocks of 512; counts non-finite outputs. */
    int countNonFiniteOutputs (int numFrames, float input)
    {
        int count = 0;

        for (int start = 0; start < numFrames; start += 512)
        {
            rig.beginBlock();

            for (int i = start; i < juce::jmin (numFrames, start + 512); ++i)
            {
                const auto [left, right] = rig.frame (input, -input);
                count += (std::isfinite (left) ? 0 : 1) + (std::isfinite (right) ? 0 : 1);
            }
        }

        return count;
    }

    tavelin::test::ModuleRig<ModuleType> rig;
};

//==============================================================================
class DelayMemoryTest : public ModuleMemoryTest<velk::SimpleDelayModule>
{
protected:
    DelayMemoryTest()
        : ModuleMemoryTest ("Delay_1", { { "_Time", 20.0f }, { "_Feed", 100.0f }, { "_Mix", 50.0f } })
    {
    }

    // Twenty round trips of the 20 ms echo.
    static constexpr int framesOfEchoes = 20 * 882;
};

TEST_F (DelayMemoryTest, NaNInputLeavesNoTraceOnceTheInputIsFinite)
{
    countNonFiniteOutputs (16, quietNaN);

    EXPECT_EQ (countNonFiniteOutputs (framesOfEchoes, 0.25f), 0);
}

TEST_F (DelayMemoryTest, InfiniteInputLeavesNoTraceOnceTheInputIsFinite)
{
    countNonFiniteOutputs (16, infinity);

    EXPECT_EQ (countNonFiniteOutputs (framesOfEchoes, 0.25f), 0);
}

TEST_F (DelayMemoryTest, PingPongLinesForgetNaNToo)
{
    rig.set ("_PingPong", 1.0f);
    countNonFiniteOutputs (16, quietNaN);

    EXPECT_EQ (countNonFiniteOutputs (framesOfEchoes, 0.25f), 0);
}

TEST_F (DelayMemoryTest, EchoesOfFiniteInputStillSound)
{
    countNonFiniteOutputs (16, quietNaN);
    countNonFiniteOutputs (882, 0.0f);

    // An impulse after the bad input is echoed as usual.
    countNonFiniteOutputs (1, 1.0f);
    float loudest = 0.0f;

    rig.beginBlock();

    for (int i = 0; i < 2000; ++i)
        loudest = juce::jmax (loudest, std::abs (rig.frame (0.0f, 0.0f).first));

    EXPECT_GT (loudest, 0.1f);
}

//==============================================================================
class ShifterMemoryTest : public ModuleMemoryTest<velk::PitchShifterModule>
{
protected:
    ShifterMemoryTest()
        : ModuleMemoryTest ("Pitch_Shifter_1", { { "_Pitch", 7.0f }, { "_Feedback", 100.0f }, { "_Mix", 50.0f } })
    {
    }

    // The whole 400 ms memory, twice.
    static constexpr int framesOfMemory = 2 * 17640;
};

TEST_F (ShifterMemoryTest, NaNInputLeavesNoTraceOnceTheInputIsFinite)
{
    countNonFiniteOutputs (16, quietNaN);

    EXPECT_EQ (countNonFiniteOutputs (framesOfMemory, 0.25f), 0);
}

TEST_F (ShifterMemoryTest, InfiniteInputLeavesNoTraceOnceTheInputIsFinite)
{
    countNonFiniteOutputs (16, -infinity);

    EXPECT_EQ (countNonFiniteOutputs (framesOfMemory, 0.25f), 0);
}

TEST_F (ShifterMemoryTest, ShiftedSignalStillSoundsAfterBadInput)
{
    countNonFiniteOutputs (16, quietNaN);
    countNonFiniteOutputs (4096, 0.0f);

    float loudest = 0.0f;
    rig.beginBlock();

    for (int i = 0; i < 4096; ++i)
        loudest = juce::jmax (loudest, std::abs (rig.frame (0.5f, 0.5f).first));

    EXPECT_GT (loudest, 0.1f);
}
} // namespace
