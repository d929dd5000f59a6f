#include "editor/components/OscilloscopeComponent.h"
#include "editor/EditorFixture.h"
#include "editor/GoldenImage.h"

#include <cmath>
#include <limits>
#include <vector>

namespace tavelin::test
{
namespace
{
    /** The y of every point of the trace, oldest first. */
    std::vector<float> traceHeights (const juce::Path& path)
    {
        std::vector<float> heights;

        for (juce::Path::Iterator it (path); it.next();)
            heights.push_back (it.y1);

        return heights;
    }

    struct TraceCase
    {
        float value; // at one place among silence
        float y;     // where the trace draws it in a 278 x 82 scope
    };

    void PrintTo (const TraceCase& c, std::ostream* os)
    {
        *os << c.value;
    }

    class OscilloscopeTraceTest : public ::testing::TestWithParam<TraceCase>
    {
    };

    // The trace runs from x 2 to x W = 274; +1 lies at y 0, silence at H / 2 = 39, -1 at H = 78.
    TEST_P (OscilloscopeTraceTest, ValueDrawsWhereItBelongs)
    {
        velk::OscilloscopeComponent scope;
        scope.setSize (278, 82);
        juce::Array<float> values;
        values.insertMultiple (0, 0.0f, 256);
        values.set (100, GetParam().value);

        scope.rebuildPath (values);

        auto expected = std::vector<float> (256, 39.0f);
        expected[255 - 100] = GetParam().y;
        EXPECT_EQ (traceHeights (scope.wavePath), expected);
        EXPECT_EQ (scope.wavePath.getBounds().getHorizontalRange(), juce::Range<float> (2.0f, 274.0f));
    }

    constexpr auto nan = std::numeric_limits<float>::quiet_NaN();
    constexpr auto infinity = std::numeric_limits<float>::infinity();

    INSTANTIATE_TEST_SUITE_P (Values, OscilloscopeTraceTest,
                              ::testing::Values (TraceCase{ 0.0f, 39.0f }, TraceCase{ nan, 39.0f },
                                                 TraceCase{ infinity, 39.0f }, TraceCase{ -infinity, 39.0f },
                                                 TraceCase{ 3.0f, 0.0f }, TraceCase{ -0.5f, 58.5f }));

} // namespace

using Oscilloscope = EditorFixture;

// A tone through the processor, published by the message thread: the trace is that of the
// published values, and none while the scope is off.
TEST_F (Oscilloscope, RefreshDrawsThePublishedValuesOnlyWhileEnabled)
{
    juce::AudioBuffer<float> tone (2, 4096);
    juce::MidiBuffer midi;

    for (int i = 0; i < tone.getNumSamples(); ++i)
        for (int channel = 0; channel < 2; ++channel)
            tone.setSample (channel, i, 0.5f * std::sin ((float) i * 0.01f));

    processor->prepareToPlay (44100.0, tone.getNumSamples());
    processor->processBlock (tone, midi);
    processor->refreshEditorReadouts();

    velk::OscilloscopeComponent scope, published;
    scope.setSize (278, 82);
    published.setSize (278, 82);
    published.rebuildPath (processor->getReadouts().getScopeBuffer());

    scope.scopeEnabled = false;
    scope.refresh (*processor);
    EXPECT_TRUE (scope.wavePath.isEmpty());

    scope.scopeEnabled = true;
    scope.refresh (*processor);
    EXPECT_EQ (traceHeights (scope.wavePath), traceHeights (published.wavePath));
    EXPECT_NE (scope.wavePath.getBounds().getHeight(), 0.0f);
}

// One period and a half of a sine with a NaN in it, which draws on the centre line.
TEST_F (Oscilloscope, DrawsTraceGradientAndFrame)
{
    velk::OscilloscopeComponent scope;
    scope.setSize (278, 82);
    scope.waveColour = velk::OscilloscopeComponent::colourForIndex (1);
    juce::Array<float> values;

    for (int i = 0; i < 256; ++i)
        values.add (i == 128 ? std::numeric_limits<float>::quiet_NaN() : 0.8f * std::sin ((float) i * 0.037f));

    scope.rebuildPath (values);

    EXPECT_TRUE (matchesGolden (snapshot (scope, 2.0f), "oscilloscope"));
}

TEST (OscilloscopeColour, IndexOutsideTheListIsPurple)
{
    EXPECT_EQ (velk::OscilloscopeComponent::colourForIndex (4), velk::VelkColours::lime);
    EXPECT_EQ (velk::OscilloscopeComponent::colourForIndex (6), velk::VelkColours::light_grey);
    EXPECT_EQ (velk::OscilloscopeComponent::colourForIndex (7), velk::VelkColours::purple);
    EXPECT_EQ (velk::OscilloscopeComponent::colourForIndex (-1), velk::VelkColours::purple);
}
} // namespace tavelin::test
