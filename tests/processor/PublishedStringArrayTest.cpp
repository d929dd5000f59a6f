#include "processor/PublishedStringArray.h"

#include <gtest/gtest.h>

namespace velk
{
namespace
{
    juce::String firstOf (const juce::StringArray& strings)
    {
        return strings[0];
    }
} // namespace

TEST (PublishedStringArrayTest, StartsEmptyOnBothSides)
{
    PublishedStringArray names;

    EXPECT_EQ (names.size(), 0);
    EXPECT_TRUE (names.getForAudioThread().isEmpty());
}

TEST (PublishedStringArrayTest, AssignmentReachesTheAudioThread)
{
    PublishedStringArray names;
    names = juce::StringArray{ "a 2.vtp", "A 10.vtp" };

    EXPECT_EQ (names.size(), 2);
    EXPECT_EQ (names[1], "A 10.vtp");
    EXPECT_EQ (names.getForAudioThread(), (juce::StringArray{ "a 2.vtp", "A 10.vtp" }));
}

TEST (PublishedStringArrayTest, PassesAsAPlainStringArray)
{
    PublishedStringArray names;
    names = juce::StringArray{ "b.vtp" };

    EXPECT_EQ (firstOf (names), "b.vtp");
}

TEST (PublishedStringArrayTest, AudioThreadFollowsEveryReplacement)
{
    PublishedStringArray names;

    for (int i = 0; i < 5; ++i)
    {
        names = juce::StringArray{ juce::String (i) };
        EXPECT_EQ (names.getForAudioThread()[0], juce::String (i));
    }
}
} // namespace velk
