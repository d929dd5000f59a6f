#pragma once

#include <gtest/gtest.h>
#include <juce_graphics/juce_graphics.h>

namespace tavelin::test
{
/** Compares an image with the reviewed PNG tests/editor/golden/<name>.png: every channel of
    every pixel within `tolerance` levels. On a mismatch the image and a diff (differing pixels
    red, the rest dimmed) are written next to the build, and the message gives the command that
    approves the new image. With TAVELIN_APPROVE_GOLDEN=1 in the environment the image becomes
    the golden file instead.
*/
testing::AssertionResult matchesGolden (const juce::Image& image, const juce::String& name, int tolerance = 1);

/** The same comparison, but silent: nothing is written or approved. For waiting until a real
    window shows the golden image, before matchesGolden() reports on it.
*/
bool showsGolden (const juce::Image& image, const juce::String& name, int tolerance = 1);
} // namespace tavelin::test
