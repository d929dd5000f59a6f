#include "lookandfeel/LookTestSupport.h"
#include "lookandfeel/MacroLook.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VelkColours.h"

using namespace tavelin::test;

class Knobs : public ::testing::Test
{
protected:
    static constexpr float pi = juce::MathConstants<float>::pi;
    static constexpr float startAngle = pi * 1.2f;
    static constexpr float endAngle = pi * 2.8f;

    Knobs()
    {
        slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
        slider.setRange (0.0, 1.0);
        slider.setColour (juce::Slider::rotarySliderFillColourId, fill);
    }

    static float angleOf (float proportion)
    {
        return startAngle + proportion * (endAngle - startAngle);
    }

    /** Draws a knob in a (x, y, w, h) area of an image that leaves a margin around it. */
    juce::Image draw (juce::LookAndFeel& knobLook, float proportion, juce::Rectangle<int> area = { 0, 0, 200, 200 })
    {
        slider.setValue (proportion, juce::dontSendNotification);
        return render (area.getRight() + 4, area.getBottom() + 4, [&] (juce::Graphics& g)
                       { knobLook.drawRotarySlider (g, area.getX(), area.getY(), area.getWidth(), area.getHeight(),
                                                    proportion, startAngle, endAngle, slider); });
    }

    /** The colour at a proportion of radius r along an angle from the centre. */
    static juce::Colour sample (const juce::Image& image, juce::Point<float> centre, float r, float proportion,
                                float angle)
    {
        const auto p = polar (centre, proportion * r, angle);
        return pixelAt (image, p.x, p.y);
    }

    juce::Colour wedgeOnFace (juce::uint8 alpha = 0xCC) const
    {
        return face.overlaidWith (fill.withAlpha (alpha));
    }

    const juce::Colour fill = velk::VelkColours::orange;
    const juce::Colour face{ 0xFF1D1D1Du };
    const juce::Colour ring{ 0xFF2E2E2Eu };
    const juce::Colour cap{ 0xFF333333u };

    // A 200 x 200 knob at the origin.
    const juce::Point<float> centre{ 100.0f, 100.0f };
    const float radius = 98.0f;

    // The visible band of the value wedge, between the cap (0.75) and the wedge's edge (0.9).
    static constexpr float band = 0.82f;

    juce::Slider slider;
    velk::VKLook look;
    velk::VKBipolarLook bipolarLook;
    MacroLook macroLook;
};

TEST_F (Knobs, ShowRimFaceCapRingAndTopAtTheirRadii)
{
    const auto image = draw (look, 0.5f);
    const auto right = pi * 0.5f;
    const auto upperLeft = -pi * 0.25f;

    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.96f, right), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, right), face));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.715f, right), juce::Colours::black));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.61f, upperLeft), ring));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.4f, right), cap));
    EXPECT_EQ (pixelAt (image, 1.0f, 1.0f).getAlpha(), 0);
}

TEST_F (Knobs, ValueWedgeInTheFillColourSpansFromTheStartToTheCurrentAngle)
{
    const auto image = draw (look, 0.25f);
    const auto angle = angleOf (0.25f);

    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, startAngle + 0.05f), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, angle - 0.05f), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, angle + 0.05f), face));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, startAngle - 0.05f), face));
    // Under the cap the wedge is hidden.
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.4f, angle - 0.3f), cap));

    const auto full = draw (look, 1.0f);
    EXPECT_TRUE (coloursMatch (sample (full, centre, radius, band, pi * 2.0f), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (full, centre, radius, band, endAngle - 0.05f), wedgeOnFace()));
}

TEST_F (Knobs, AtTheMinimumShowNoWedgeAndPointAtTheStart)
{
    const auto image = draw (look, 0.0f);

    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, startAngle + 0.1f), face));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, pi * 2.0f), face));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.3f, startAngle), fill));
}

TEST_F (Knobs, PointerRunsFromAFifthToNearlyHalfTheRadiusAlongTheCurrentAngle)
{
    for (const auto proportion : { 0.1f, 0.5f, 0.8f })
    {
        SCOPED_TRACE (proportion);
        const auto image = draw (look, proportion);
        const auto angle = angleOf (proportion);

        EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.17f, angle), cap));
        EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.23f, angle), fill));
        EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.42f, angle), fill));
        EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.48f, angle), cap));

        // A tenth of the radius wide: 0.05 r to each side of its axis.
        const auto across = polar (polar (centre, 0.3f * radius, angle), 0.08f * radius, angle + pi * 0.5f);
        EXPECT_TRUE (coloursMatch (pixelAt (image, across.x, across.y), cap));
        const auto inside = polar (polar (centre, 0.3f * radius, angle), 0.03f * radius, angle + pi * 0.5f);
        EXPECT_TRUE (coloursMatch (pixelAt (image, inside.x, inside.y), fill));
    }
}

TEST_F (Knobs, DisabledKnobDrawsWithReducedAlphaWhateverTheFillColoursOwnAlpha)
{
    juce::Component panel;
    panel.addChildComponent (slider);
    panel.setEnabled (false);
    slider.setColour (juce::Slider::rotarySliderFillColourId, fill.withAlpha ((juce::uint8) 0x10));

    const auto image = draw (look, 0.5f);
    const auto angle = angleOf (0.5f);

    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, band, angle - 0.3f), wedgeOnFace (0x66)));
    EXPECT_TRUE (coloursMatch (sample (image, centre, radius, 0.3f, angle), cap.overlaidWith (fill.withAlpha ((juce::uint8) 0x7F))));

    panel.setEnabled (true);
    const auto enabled = draw (look, 0.5f);
    EXPECT_TRUE (coloursMatch (sample (enabled, centre, radius, band, angle - 0.3f), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (enabled, centre, radius, 0.3f, angle), fill));
}

TEST_F (Knobs, RadiusIsTheSmallerHalfOfTheAreaInWholePixelsLessTwo)
{
    struct Case
    {
        juce::Rectangle<int> area;
        float expectedRadius;
    };

    for (const auto& [area, r] : { Case{ { 10, 5, 61, 80 }, 28.0f }, Case{ { 0, 0, 40, 40 }, 18.0f },
                                   Case{ { 3, 7, 200, 120 }, 58.0f } })
    {
        SCOPED_TRACE (area.toString());
        const auto image = draw (look, 0.0f, area);
        const auto c = area.toFloat().getCentre();
        const auto right = pi * 0.5f;

        // The knob's diameter, measured across the centre row and column.
        const auto opaque = [] (juce::Colour colour)
        { return colour.getAlpha() > 127; };
        const auto row = (int) c.y;
        const auto column = (int) c.x;
        const auto across = countPixels (image.getClippedImage ({ 0, row, image.getWidth(), 1 }), opaque);
        const auto down = countPixels (image.getClippedImage ({ column, 0, 1, image.getHeight() }), opaque);
        EXPECT_NEAR ((float) across, 2.0f * r, 1.0f);
        EXPECT_NEAR ((float) down, 2.0f * r, 1.0f);

        EXPECT_TRUE (coloursMatch (sample (image, c, r, (r - 2.0f) / r, right), juce::Colours::black));
        EXPECT_TRUE (coloursMatch (sample (image, c, r, band, right), face));
        EXPECT_TRUE (coloursMatch (sample (image, c, r, 0.0f, 0.0f), cap));
    }
}

TEST_F (Knobs, AreaTooSmallForARadiusDrawsNothing)
{
    for (const auto side : { 4, 3, 1 })
    {
        const auto image = draw (look, 0.5f, { 2, 2, side, side });
        EXPECT_EQ (countPixels (image, [] (juce::Colour c)
                                { return c.getAlpha() != 0; }),
                   0)
            << side;
    }
}

//==============================================================================
TEST_F (Knobs, BipolarWedgeGrowsFromTwelveOClockTowardsTheValue)
{
    const auto top = pi * 2.0f;

    const auto below = draw (bipolarLook, 0.25f);
    EXPECT_TRUE (coloursMatch (sample (below, centre, radius, band, top - 0.2f * pi), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (below, centre, radius, band, angleOf (0.25f) - 0.05f), face));
    EXPECT_TRUE (coloursMatch (sample (below, centre, radius, band, top + 0.1f), face));

    const auto above = draw (bipolarLook, 0.75f);
    EXPECT_TRUE (coloursMatch (sample (above, centre, radius, band, top + 0.2f * pi), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (above, centre, radius, band, angleOf (0.75f) + 0.05f), face));
    EXPECT_TRUE (coloursMatch (sample (above, centre, radius, band, top - 0.1f), face));
    EXPECT_TRUE (coloursMatch (sample (above, centre, radius, 0.3f, angleOf (0.75f)), fill));
}

TEST_F (Knobs, BipolarKnobAtTheMiddleShowsNoBandAndJustBelowAThinOne)
{
    const auto top = pi * 2.0f;
    const auto middle = draw (bipolarLook, 0.5f);

    EXPECT_TRUE (coloursMatch (sample (middle, centre, radius, band, top - 0.05f), face));
    EXPECT_TRUE (coloursMatch (sample (middle, centre, radius, band, top + 0.05f), face));

    const auto justBelow = draw (bipolarLook, 0.49f);
    const auto halfway = (angleOf (0.49f) + top) * 0.5f;
    EXPECT_TRUE (coloursMatch (sample (justBelow, centre, radius, 0.86f, halfway), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (justBelow, centre, radius, 0.86f, top + 0.05f), face));
}

TEST_F (Knobs, MacroKnobDiffersFromTheStandardOnlyInThePointersInnerEnd)
{
    const auto proportion = 0.3f;
    const auto angle = angleOf (proportion);
    const auto standard = draw (look, proportion);
    const auto macro = draw (macroLook, proportion);

    EXPECT_TRUE (coloursMatch (sample (macro, centre, radius, 0.25f, angle), cap));
    EXPECT_TRUE (coloursMatch (sample (macro, centre, radius, 0.33f, angle), fill));
    EXPECT_TRUE (coloursMatch (sample (macro, centre, radius, 0.42f, angle), fill));
    EXPECT_TRUE (coloursMatch (sample (standard, centre, radius, 0.25f, angle), fill));

    // Every differing pixel lies on the pointer's axis between 0.2 r and 0.3 r.
    for (int y = 0; y < standard.getHeight(); ++y)
    {
        for (int x = 0; x < standard.getWidth(); ++x)
        {
            // The rasteriser may shade the shared sides of the two pointers a level apart.
            if (coloursMatch (standard.getPixelAt (x, y), macro.getPixelAt (x, y), 8))
                continue;

            const auto offset = juce::Point<float> ((float) x + 0.5f, (float) y + 0.5f) - centre;
            const auto along = offset.x * std::sin (angle) - offset.y * std::cos (angle);
            const auto sideways = offset.x * std::cos (angle) + offset.y * std::sin (angle);
            EXPECT_NEAR (along, 0.25f * radius, 0.05f * radius + 1.0f) << x << ", " << y;
            EXPECT_LE (std::abs (sideways), 0.05f * radius + 1.0f) << x << ", " << y;
        }
    }
}

TEST_F (Knobs, DrawThroughTheSliderComponentCentredInItsArea)
{
    slider.setBounds (0, 0, 120, 100);
    slider.setTextBoxStyle (juce::Slider::NoTextBox, true, 0, 0);
    slider.setRotaryParameters (startAngle, endAngle, true);
    slider.setLookAndFeel (&look);
    slider.setValue (0.5, juce::dontSendNotification);

    const auto image = renderComponent (slider);
    slider.setLookAndFeel (nullptr);

    const juce::Point<float> c (60.0f, 50.0f);
    EXPECT_TRUE (coloursMatch (sample (image, c, 48.0f, band, angleOf (0.5f) - 0.3f), wedgeOnFace()));
    EXPECT_TRUE (coloursMatch (sample (image, c, 48.0f, 0.3f, angleOf (0.5f)), fill));
}
