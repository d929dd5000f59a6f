#include "effects/DecibelGain.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
TEST (DecibelGain, GivesTheLibraryGainOfEveryLevelAskedWhetherNewOrRepeated)
{
    constexpr auto notANumber = std::numeric_limits<float>::quiet_NaN();
    const float levels[] = { -6.0f, -6.0f, 0.0f, -0.0f, 12.0f, 12.0f, -6.0f, -100.0f, -120.0f, notANumber, notANumber, 3.5f };
    velk::DecibelGain gainOf;

    for (const auto decibels : levels)
        EXPECT_EQ (gainOf (decibels), juce::Decibels::decibelsToGain (decibels)) << decibels;

    EXPECT_EQ (gainOf (0.0f), 1.0f);
    EXPECT_EQ (gainOf (-120.0f), 0.0f);
}
} // namespace
