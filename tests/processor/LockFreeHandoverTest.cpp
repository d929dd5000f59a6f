#include "processor/LockFreeHandover.h"

#include <gtest/gtest.h>

namespace velk
{
namespace
{
    /** A snapshot that counts the live instances, to see who frees what. */
    struct CountedSnapshot
    {
        explicit CountedSnapshot (int v)
            : value (v) { ++alive; }
        ~CountedSnapshot() { --alive; }

        int value;
        static inline int alive = 0;
    };

    std::unique_ptr<CountedSnapshot> snapshot (int value)
    {
        return std::make_unique<CountedSnapshot> (value);
    }
} // namespace

class LockFreeHandoverTest : public ::testing::Test
{
protected:
    void SetUp() override { CountedSnapshot::alive = 0; }
    void TearDown() override { EXPECT_EQ (CountedSnapshot::alive, 0); }
};

TEST_F (LockFreeHandoverTest, AudioThreadSeesTheInitialSnapshotUntilOneIsPublished)
{
    LockFreeHandover<CountedSnapshot> handover (snapshot (1));
    EXPECT_EQ (handover.acquire().value, 1);
    EXPECT_EQ (handover.acquire().value, 1);
}

TEST_F (LockFreeHandoverTest, AudioThreadTakesUpThePublishedSnapshot)
{
    LockFreeHandover<CountedSnapshot> handover (snapshot (1));
    handover.publish (snapshot (2));

    EXPECT_EQ (handover.acquire().value, 2);
    EXPECT_EQ (CountedSnapshot::alive, 2) << "the old snapshot waits to be freed off the audio thread";

    handover.collectGarbage();
    EXPECT_EQ (CountedSnapshot::alive, 1);
}

TEST_F (LockFreeHandoverTest, OnlyTheNewestOfSeveralPublishesIsTakenUp)
{
    LockFreeHandover<CountedSnapshot> handover (snapshot (1));
    handover.publish (snapshot (2));
    handover.publish (snapshot (3));

    EXPECT_EQ (CountedSnapshot::alive, 2);
    EXPECT_EQ (handover.acquire().value, 3);
}

TEST_F (LockFreeHandoverTest, EachPublishCollectsTheSnapshotTheAudioThreadGaveBack)
{
    LockFreeHandover<CountedSnapshot> handover (snapshot (1));

    for (int value = 2; value < 10; ++value)
    {
        handover.publish (snapshot (value));
        EXPECT_EQ (handover.acquire().value, value);
        EXPECT_EQ (CountedSnapshot::alive, 2) << "the active one and the one just retired";
    }
}

TEST_F (LockFreeHandoverTest, DestructionFreesEverySlot)
{
    {
        LockFreeHandover<CountedSnapshot> handover (snapshot (1));
        handover.publish (snapshot (2));
        handover.acquire();
        handover.publish (snapshot (3));
        handover.acquire();
        handover.publish (snapshot (4));
        EXPECT_EQ (CountedSnapshot::alive, 2) << "the active one and the pending one";
    }

    EXPECT_EQ (CountedSnapshot::alive, 0);
}
} // namespace velk
