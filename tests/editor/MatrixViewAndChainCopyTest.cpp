#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "processor/ParameterEventRecorder.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
namespace
{
    using Kind = ParameterEventRecorder::Kind;

    /** What a paste onto chain m writes, in order: the twelve module parameters, then the matrix
        cells of the chain's six targets, column by column, the scale column last.
    */
    juce::StringArray chainSettings (int m)
    {
        const auto n = juce::String (m);
        const auto pitch = "Pitch_Shifter_" + n, delay = "Delay_" + n;
        juce::StringArray ids{ pitch + "_Pitch", pitch + "_Size", pitch + "_Feedback", pitch + "_Mix",
                               delay + "_Time", delay + "_Synced_Time", delay + "_Sync", delay + "_Feed",
                               delay + "_Mix", "Gainer_" + n + "_Gain", "Panner_" + n + "_Pan", delay + "_PingPong" };
        const juce::StringArray targets{ pitch + "_Pitch", pitch + "_Mix", delay + "_Time", delay + "_Mix", "Gainer_" + n + "_Gain", "Panner_" + n + "_Pan" };

        for (const auto* source : { "LFO_1", "LFO_2", "LFO_3", "LFO_4", "Macro_1", "Macro_2", "Macro_3" })
            for (const auto& target : targets)
                ids.add ("Matrix_" + juce::String (source) + "_to_" + target);

        for (const auto& target : targets)
            ids.add ("Matrix_" + target + "_Global_Scale");

        return ids;
    }
} // namespace

class MatrixAndCopy : public EditorAtBaseScale
{
protected:
    MatrixAndCopy() { openEditor(); }

    juce::RangedAudioParameter& parameter (const juce::String& id) const { return *processor->valueTreeState.getParameter (id); }
    float plain (const juce::String& id) const { return processor->valueTreeState.getRawParameterValue (id)->load(); }
    void set (const juce::String& id, float value) const { setPlainValue (*processor, id, value); }

    velk::ModMatrixComponent& matrixView() const { return *childrenOfType<velk::ModMatrixComponent> (*editor).getFirst(); }
    velk::OscilloscopeComponent& scope() const { return *childrenOfType<velk::OscilloscopeComponent> (*editor).getFirst(); }

    juce::DrawableButton& matrixButton() const
    {
        for (auto* button : childrenOfType<juce::DrawableButton> (*editor))
            if (button->getName() == "matrix")
                return *button;

        throw std::runtime_error ("no matrix button");
    }

    void clickMatrixButton() const
    {
        matrixButton().triggerClick();
        pumpMessages();
    }
};

//==============================================================================
TEST_F (MatrixAndCopy, TheMatrixViewLiesHiddenOverEverythingBelowTheTitleBarInTheModulesColours)
{
    auto& view = matrixView();
    EXPECT_EQ (view.getBounds(), Tavelin::Panel::modMatrixRect);
    EXPECT_FALSE (view.isVisible());

    // Only the corner grip lies above it, and the question of a save while it is asked.
    const auto& children = editor->getChildren();
    for (auto i = children.indexOf (&view) + 1; i < children.size(); ++i)
        EXPECT_TRUE (dynamic_cast<juce::ResizableCornerComponent*> (children[i]) != nullptr
                     || dynamic_cast<velk::FileNotice*> (children[i]) != nullptr);

    juce::Colour delay2TimeColour;

    for (auto* child : view.getChildren())
        if (auto* label = dynamic_cast<juce::Label*> (child); label != nullptr && label->getText() == "DELAY 2 TIME")
            delay2TimeColour = label->findColour (juce::Label::textColourId);

    EXPECT_EQ (delay2TimeColour, TavelinAudioProcessorEditor::chain2Colour);
}

TEST_F (MatrixAndCopy, TheMatrixButtonSwapsTheViewAndTheScopeWhoseTraceKeepsBeingRebuilt)
{
    auto& view = matrixView();
    const auto chainKnob = Tavelin::Panel::chainSection (0).knobs[0].getCentre();

    clickMatrixButton();
    EXPECT_TRUE (view.isVisible());
    EXPECT_FALSE (scope().isVisible());
    EXPECT_EQ (matrixButton().getButtonText(), "CONTROLS");
    EXPECT_EQ (childAt (*editor, chainKnob), &view);

    scope().wavePath.clear();
    tick();
    EXPECT_FALSE (scope().wavePath.isEmpty());

    clickMatrixButton();
    EXPECT_FALSE (view.isVisible());
    EXPECT_TRUE (scope().isVisible());
    EXPECT_EQ (matrixButton().getButtonText(), "MOD MATRIX");
    EXPECT_NE (childAt (*editor, chainKnob), &view);
}

//==============================================================================
TEST_F (MatrixAndCopy, ChainParametersAreNumberedWithGainAndPanBeforePingPong)
{
    const std::tuple<int, int, const char*> cases[] = {
        { 0, 0, "Pitch_Shifter_1_Pitch" },
        { 5, 1, "Delay_2_Synced_Time" },
        { 8, 2, "Delay_3_Mix" },
        { 9, 0, "Gainer_1_Gain" },
        { 10, 2, "Panner_3_Pan" },
        { 11, 1, "Delay_2_PingPong" },
        { 12, 0, nullptr },
        { -1, 0, nullptr },
        { 0, 3, nullptr },
    };

    for (const auto& [index, chain, id] : cases)
    {
        auto* found = editor->getChainParameter (index, chain);
        EXPECT_EQ (found != nullptr ? found->getParameterID() : juce::String(), juce::String (id)) << index << ", " << chain;
    }
}

TEST_F (MatrixAndCopy, CopyingChainOneOntoThreeWritesItsSixtySettingsEachInAGestureAndNoSwitch)
{
    processor->parametersRandomizer.random.setSeed (7);
    processor->parametersRandomizer.randomizeParametersByAmount (velk::ParametersRandomizer::effectsGroup, 1.0f);
    processor->parametersRandomizer.randomizeParametersByAmount (velk::ParametersRandomizer::matrixGroup, 1.0f);
    const std::pair<const char*, float> differences[] = {
        { "Delay_1_Sync", 1.0f },
        { "Delay_3_Sync", 0.0f },
        { "Matrix_Macro_2_to_Delay_1_Time", -30.0f },
        { "Matrix_Macro_2_to_Delay_3_Time", 70.0f },
        { "Matrix_Panner_1_Pan_Global_Scale", 25.0f },
        { "Matrix_Panner_3_Pan_Global_Scale", 100.0f },
        { "Chain_Bypass_0", 1.0f },
        { "Chain_Bypass_2", 0.0f },
        { "Chain_To_Filter_1", 1.0f },
        { "Chain_To_Filter_3", 0.0f },
    };

    for (const auto& [id, value] : differences)
        set (id, value);

    const auto source = chainSettings (1), destination = chainSettings (3);
    std::vector<ParameterEventRecorder::Event> expected;

    for (const auto& id : destination)
    {
        const auto index = parameter (id).getParameterIndex();
        expected.insert (expected.end(), { { Kind::gestureBegin, index }, { Kind::changed, index }, { Kind::gestureEnd, index } });
    }

    ParameterEventRecorder host (*processor);
    editor->copyChainSettings (0, 2);

    // Nothing else is written: the switches, chain 1 and the cells of other targets stay.
    EXPECT_EQ (destination.size(), 60);
    EXPECT_TRUE (host.events == expected);

    for (int i = 0; i < source.size(); ++i)
        EXPECT_EQ (parameter (destination[i]).getValue(), parameter (source[i]).getValue()) << destination[i];

    EXPECT_EQ (plain ("Matrix_Macro_2_to_Delay_3_Time"), -30.0f);
    EXPECT_EQ (plain ("Chain_Bypass_2"), 0.0f);
    EXPECT_EQ (plain ("Chain_To_Filter_3"), 0.0f);
}

TEST_F (MatrixAndCopy, PasteCopiesTheRememberedChainAsItIsNowAndNothingElseActs)
{
    ParameterEventRecorder host (*processor);
    editor->chainMenuItemChosen (1, 2); // PASTE before any COPY
    editor->chainMenuItemChosen (0, 1); // COPY chain 1
    editor->chainMenuItemChosen (0, 2); // onto itself
    editor->chainMenuItemChosen (2, 0); // a dismissed menu keeps chain 1 remembered
    editor->chainMenuItemChosen (2, 3);
    editor->copyChainSettings (0, 3);
    EXPECT_TRUE (host.events.empty());

    control<velk::VelkKnob> (*editor, "Delay_1_Time").setValue (750.0, juce::sendNotificationSync);
    editor->chainMenuItemChosen (1, 2);

    EXPECT_EQ (plain ("Delay_2_Time"), 750.0f);
    EXPECT_EQ (control<velk::VelkKnob> (*editor, "Delay_2_Time").getValue(), 750.0);
    EXPECT_EQ (plain ("Delay_3_Time"), 120.0f);
}
} // namespace tavelin::test
