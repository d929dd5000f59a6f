#include "editor/EditorFixture.h"
#include "editor/GoldenImage.h"
#include "editor/components/FilterModeDisplay.h"
#include "editor/components/LFODisplay.h"

#include <atomic>
#include <thread>
#include <type_traits>

namespace tavelin::test
{
namespace
{
    template <typename Display>
    std::unique_ptr<Display> makeDisplay (float value, bool modulated = false)
    {
        auto display = std::make_unique<Display>();
        display->setSize (50, 50);
        display->initialize (value, std::is_same_v<Display, velk::FilterModeDisplay> ? TavelinAudioProcessorEditor::outputModuleColour
                                                                                     : TavelinAudioProcessorEditor::lfoModulesColour);
        display->modulated = modulated;
        return display;
    }

    bool sameImage (const juce::Image& a, const juce::Image& b)
    {
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                    return false;

        return true;
    }

    void setPlainValue (TavelinAudioProcessor& processor, const juce::String& id, float value)
    {
        auto& parameter = *processor.valueTreeState.getParameter (id);
        parameter.setValueNotifyingHost (parameter.convertTo0to1 (value));
    }
} // namespace

using ParameterDisplays = EditorFixture;

// The four filter curves, the seven waves (6.4 rounds to the last), a halo, and 6.6, which
// rounds past the last picture and shows the badge alone.
TEST_F (ParameterDisplays, DrawBadgePictureHaloAndGloss)
{
    juce::Component sheet;
    juce::OwnedArray<velk::ParameterGraphicalDisplay> displays;

    for (int mode = 0; mode < 4; ++mode)
        displays.add (makeDisplay<velk::FilterModeDisplay> ((float) mode).release());

    for (const auto wave : { 0.0f, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.4f })
        displays.add (makeDisplay<velk::LFODisplay> (wave).release());

    displays.add (makeDisplay<velk::LFODisplay> (0.0f, true).release());
    displays.add (makeDisplay<velk::LFODisplay> (6.6f).release());

    for (int i = 0; i < displays.size(); ++i)
    {
        displays[i]->setTopLeftPosition (50 * i, 0);
        sheet.addAndMakeVisible (displays[i]);
    }

    sheet.setSize (50 * displays.size(), 50);
    EXPECT_TRUE (matchesGolden (snapshot (sheet, 2.0f), "parameter_displays"));
}

// A mapped controller or the host moves Filter_Mode and LFO_1_Wave on another thread while the
// message thread paints; afterwards each display shows the last value.
TEST_F (ParameterDisplays, ShowValuesSetOnAnotherThread)
{
    auto& state = processor->valueTreeState;
    const auto filter = makeDisplay<velk::FilterModeDisplay> (0.0f);
    const auto lfo = makeDisplay<velk::LFODisplay> (0.0f);
    state.addParameterListener ("Filter_Mode", filter.get());
    state.addParameterListener ("LFO_1_Wave", lfo.get());

    std::atomic<bool> done{ false };
    std::thread automation ([&]
                            {
        for (int i = 0; i < 200; ++i)
        {
            setPlainValue (*processor, "Filter_Mode", (float) (i % 4));
            setPlainValue (*processor, "LFO_1_Wave", (float) (i % 7));
        }

        setPlainValue (*processor, "Filter_Mode", 3.0f);
        setPlainValue (*processor, "LFO_1_Wave", 5.0f);
        done = true; });

    while (!done)
    {
        snapshot (*filter);
        snapshot (*lfo);
    }

    automation.join();
    state.removeParameterListener ("Filter_Mode", filter.get());
    state.removeParameterListener ("LFO_1_Wave", lfo.get());

    EXPECT_TRUE (sameImage (snapshot (*filter), snapshot (*makeDisplay<velk::FilterModeDisplay> (3.0f))));
    EXPECT_TRUE (sameImage (snapshot (*lfo), snapshot (*makeDisplay<velk::LFODisplay> (5.0f))));
}
} // namespace tavelin::test
