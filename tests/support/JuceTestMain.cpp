#include "support/IsolatedHome.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

int main (int argc, char** argv)
{
    if (const auto parentResult = tavelin::test::runInIsolatedHome (argc, argv); parentResult >= 0)
        return parentResult;

    testing::InitGoogleTest (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
