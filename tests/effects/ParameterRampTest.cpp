#include "effects/ParameterRamp.h"

#include <gtest/gtest.h>

namespace
{
using Ramp = velk::ParameterRamp<float>;

TEST (ParameterRamp, AtRestKeepsItsValueThroughAnyNumberOfAdvances)
{
    Ramp ramp{ 3.5f };

    for (int i = 0; i < 1000; ++i)
        ramp.advance();

    ramp.advance (5000);
    EXPECT_EQ (ramp.current, 3.5f);
    EXPECT_EQ (ramp.countdown, 0);
}

TEST (ParameterRamp, ReAimingAtItsOwnValueGivesStepZero)
{
    Ramp ramp{ -6.0f };
    ramp.aimAt (-6.0f, 1323);

    EXPECT_EQ (ramp.step, 0.0f);
    EXPECT_EQ (ramp.countdown, 1323);
}

TEST (ParameterRamp, ReAimingLeavesCurrentWhereItStands)
{
    Ramp ramp{ 10.0f };
    ramp.aimAt (20.0f, 4);

    EXPECT_EQ (ramp.current, 10.0f);
    EXPECT_EQ (ramp.step, 2.5f);
}

TEST (ParameterRamp, EndsWhereItsAdditionsLeadWithoutSnapping)
{
    Ramp ramp{ -6.0f };
    ramp.aimAt (-20.0f, 1323);

    for (int i = 0; i < 2000; ++i)
        ramp.advance();

    // 1323 single-precision additions of -14 / 1323 fall short of -20.
    EXPECT_EQ (ramp.current, -19.99994659423828f);
    EXPECT_EQ (ramp.countdown, 0);
}

TEST (ParameterRamp, OfLengthZeroNeverMoves)
{
    Ramp ramp{ 5.0f };
    ramp.aimAt (50.0f, 0);
    ramp.advance (100);

    EXPECT_EQ (ramp.current, 5.0f);
    EXPECT_EQ (ramp.countdown, 0);
}

TEST (ParameterRamp, AdvancingManyStepsAtOnceEqualsSingleSteps)
{
    Ramp bulk{ -6.0f };
    Ramp single{ -6.0f };
    bulk.aimAt (-20.0f, 1323);
    single.aimAt (-20.0f, 1323);

    bulk.advance (512);

    for (int i = 0; i < 512; ++i)
        single.advance();

    EXPECT_EQ (bulk.current, single.current);
    EXPECT_EQ (bulk.countdown, 1323 - 512);

    bulk.advance (5000);
    single.advance (811);
    EXPECT_EQ (bulk.current, single.current);
    EXPECT_EQ (bulk.countdown, 0);
}

TEST (ParameterRamp, DoublePrecisionRampGlidesTheSameWay)
{
    velk::ParameterRamp<double> ramp{ 1000.0 };
    ramp.aimAt (5292.0, 2646);
    ramp.advance (1323);

    EXPECT_NEAR (ramp.current, 3146.0, 1e-9);
}
} // namespace
