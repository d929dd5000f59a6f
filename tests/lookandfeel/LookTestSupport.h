#pragma once

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cmath>
#include <functional>

// Drawing is checked by rendering into software images and reading pixels back.
namespace tavelin::test
{

inline juce::Image blankImage (int width, int height)
{
    return juce::Image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
}

inline juce::Image render (int width, int height, const std::function<void (juce::Graphics&)>& paint)
{
    auto image = blankImage (width, height);
    juce::Graphics g (image);
    paint (g);
    return image;
}

inline juce::Image renderComponent (juce::Component& component)
{
    return render (component.getWidth(), component.getHeight(),
                   [&component] (juce::Graphics& g)
                   { component.paintEntireComponent (g, false); });
}

/** The pixel that covers the point (x, y). */
inline juce::Colour pixelAt (const juce::Image& image, float x, float y)
{
    return image.getPixelAt ((int) std::floor (x), (int) std::floor (y));
}

/** The point at a distance from the centre along a knob angle (radians clockwise from twelve o'clock). */
inline juce::Point<float> polar (juce::Point<float> centre, float distance, float angle)
{
    return { centre.x + distance * std::sin (angle), centre.y - distance * std::cos (angle) };
}

inline juce::String describe (juce::Colour c)
{
    return "0x" + juce::String::toHexString ((int) c.getARGB()).paddedLeft ('0', 8).toUpperCase();
}

/** Every channel within the tolerance; alpha is compared too. */
inline testing::AssertionResult coloursMatch (juce::Colour actual, juce::Colour expected, int tolerance = 2)
{
    const auto near = [tolerance] (juce::uint8 a, juce::uint8 b)
    { return std::abs ((int) a - (int) b) <= tolerance; };

    if (near (actual.getAlpha(), expected.getAlpha()) && near (actual.getRed(), expected.getRed())
        && near (actual.getGreen(), expected.getGreen()) && near (actual.getBlue(), expected.getBlue()))
        return testing::AssertionSuccess();

    return testing::AssertionFailure() << "got " << describe (actual) << ", expected " << describe (expected);
}

/** How many pixels of the image satisfy the predicate. */
inline int countPixels (const juce::Image& image, const std::function<bool (juce::Colour)>& predicate)
{
    int count = 0;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (predicate (image.getPixelAt (x, y)))
                ++count;

    return count;
}

/** Opaque-enough pixels close to a colour: the body of text drawn in it. */
inline int countPixelsNear (const juce::Image& image, juce::Colour colour, int tolerance = 24)
{
    return countPixels (image, [colour, tolerance] (juce::Colour c)
                        { return c.getAlpha() > 200 && coloursMatch (c.withAlpha ((juce::uint8) 0xFF), colour, tolerance); });
}

inline bool imagesEqual (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

} // namespace tavelin::test
