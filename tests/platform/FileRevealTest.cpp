#include "platform/FileReveal.h"

#include <gtest/gtest.h>

namespace
{
using velk::FileReveal;

TEST (FileReveal, AHandlerTakesTheTargetsWhileItLivesAndTheOneBeforeItComesBack)
{
    juce::StringArray outer, inner;
    const FileReveal::ScopedHandler outerHandler ([&outer] (const juce::File& target)
                                                  { outer.add (target.getFileName()); });
    FileReveal::reveal (juce::File ("/tmp/a"));

    {
        const FileReveal::ScopedHandler innerHandler ([&inner] (const juce::File& target)
                                                      { inner.add (target.getFileName()); });
        FileReveal::reveal (juce::File ("/tmp/b"));
    }

    FileReveal::reveal (juce::File ("/tmp/c"));
    EXPECT_EQ (outer, juce::StringArray ("a", "c"));
    EXPECT_EQ (inner, juce::StringArray ("b"));
}
} // namespace
