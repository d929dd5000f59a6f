#include "processor/ScopeRing.h"

#include <gtest/gtest.h>

namespace velk
{
TEST (ScopeRingTest, StartsWithZeros)
{
    const ScopeRing ring;
    juce::Array<float> values;
    ring.copyNewestFirst (values);

    ASSERT_EQ (values.size(), ScopeRing::numValues);

    for (auto v : values)
        EXPECT_EQ (v, 0.0f);
}

TEST (ScopeRingTest, NewestValueComesFirst)
{
    ScopeRing ring;
    ring.push (1.0f);
    ring.push (2.0f);
    ring.push (3.0f);

    juce::Array<float> values;
    ring.copyNewestFirst (values);

    EXPECT_EQ (values[0], 3.0f);
    EXPECT_EQ (values[1], 2.0f);
    EXPECT_EQ (values[2], 1.0f);
    EXPECT_EQ (values[3], 0.0f);
}

TEST (ScopeRingTest, OldestValuesFallOffTheEnd)
{
    ScopeRing ring;

    for (int i = 0; i < ScopeRing::numValues + 10; ++i)
        ring.push ((float) i);

    juce::Array<float> values;
    ring.copyNewestFirst (values);

    EXPECT_EQ (values.getFirst(), (float) (ScopeRing::numValues + 9));
    EXPECT_EQ (values.getLast(), 10.0f);
}
} // namespace velk
