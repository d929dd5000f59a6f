#include "editor/EditorFixture.h"
#include "editor/GoldenImage.h"

#include <algorithm>

namespace tavelin::test
{
namespace
{
    void setParameter (TavelinAudioProcessor& processor, const juce::String& id, float value)
    {
        auto* parameter = processor.valueTreeState.getParameter (id);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    }

    juce::String valueLabelText (const juce::Slider& knob)
    {
        for (auto* child : knob.getChildren())
            if (auto* label = dynamic_cast<juce::Label*> (child))
                return label->getText();

        return "(no value label)";
    }

    struct RingCase
    {
        const char* parameter;
        float value, depth;
        bool squared, enabled;
    };
} // namespace

using BoundKnob = EditorFixture;

TEST_F (BoundKnob, ShowsTheParameterTextWithTheUnitOnceAndCarriesItsIdentifierAndShadow)
{
    openEditor();
    const auto& gainIds = processor->getParameterLayout().chainParameterUIDs[velk::ParameterLayout::gainerGain];

    for (int chain = 0; chain < 3; ++chain)
        editor->createAndBindChainKnob (chain, chainKnobs, gainIds[chain], "dB", TavelinAudioProcessorEditor::chain2Colour);

    const auto& knob = *chainKnobs[1];
    EXPECT_EQ (valueLabelText (knob), "-6.00 dB");
    EXPECT_EQ (knob.getRange(), juce::Range<double> (-70.0, 0.0));
    EXPECT_EQ (knob.getComponentID(), "Gainer_2_Gain");
    EXPECT_EQ (knob.parameterID, "Gainer_2_Gain");
    EXPECT_EQ (knob.getParentComponent(), editor);
    EXPECT_NE (knob.getComponentEffect(), nullptr);

    setParameter (*processor, "Gainer_2_Gain", -70.0f);
    EXPECT_EQ (valueLabelText (knob), "-INF dB");
    EXPECT_EQ (valueLabelText (*chainKnobs[0]), "+0.00 dB");
}

TEST_F (BoundKnob, ReplacingAKnobInItsHolderUnbindsTheOldOne)
{
    const auto childrenBefore = openEditor().getNumChildComponents();
    editor->createAndBindKnob (knobs[0], "Delay_1_Mix", "%", TavelinAudioProcessorEditor::chain1Colour);
    editor->createAndBindKnob (knobs[0], "Delay_1_Mix", "%", TavelinAudioProcessorEditor::chain1Colour);

    setParameter (*processor, "Delay_1_Mix", 80.0f); // the old knob's attachment would move a deleted slider

    EXPECT_EQ (knobs[0]->getValue(), 80.0);
    EXPECT_EQ (editor->getNumChildComponents(), childrenBefore + 1); // the new knob only
}

TEST_F (BoundKnob, ModulationRingFollowsDepthValueSquaringAndEnablement)
{
    // Left to right: half the rest of the range; a quarter of it (0.5 squared); all of it; all
    // of it dimmed on a disabled knob; nothing at the top of the range; nothing at 0.0001.
    const RingCase cases[] = { { "Delay_1_Mix", 50.0f, 0.5f, false, true },
                               { "Delay_1_Mix", 50.0f, 0.5f, true, true },
                               { "Delay_1_Mix", 50.0f, 1.0f, false, true },
                               { "Delay_1_Mix", 50.0f, 1.0f, false, false },
                               { "Delay_2_Mix", 100.0f, 1.0f, false, true },
                               { "Delay_1_Mix", 50.0f, 0.0001f, false, true } };
    openEditor();

    for (size_t i = 0; i < std::size (cases); ++i)
    {
        const auto& c = cases[i];
        setParameter (*processor, c.parameter, c.value);
        editor->createAndBindKnob (knobs[i], c.parameter, "%", TavelinAudioProcessorEditor::chain1Colour);
        knobs[i]->setBounds (50 * (int) i, 100, 50, 50);
        knobs[i]->modulationDepth = c.depth;
        knobs[i]->squareModulationDepth = c.squared;
        knobs[i]->setEnabled (c.enabled);
    }

    // The rings alone, without the sections that lie in the same place.
    for (auto* child : editor->getChildren())
        child->setVisible (std::any_of (knobs.begin(), knobs.end(), [child] (auto& knob)
                                        { return knob.get() == child; }));

    EXPECT_TRUE (matchesGolden (editor->createComponentSnapshot ({ 0, 100, 300, 50 }, true, 2.0f), "knob_modulation_rings", 2));
}
} // namespace tavelin::test
