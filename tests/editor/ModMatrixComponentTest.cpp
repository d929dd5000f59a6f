#include "editor/components/ModMatrixComponent.h"
#include "editor/EditorFixture.h"
#include "editor/GoldenImage.h"
#include "processor/ParameterEventRecorder.h"

namespace tavelin::test
{
namespace
{
    using Rect = juce::Rectangle<int>;
    using Kind = ParameterEventRecorder::Kind;

    constexpr int numTargets = 32;
    constexpr int scaleColumn = 7;
} // namespace

class ModMatrix : public EditorFixture
{
protected:
    ModMatrix()
    {
        view = std::make_unique<velk::ModMatrixComponent> (mapper, processor->getModulationsManager(), ccMapperUIManager, processor->valueTreeState, processor->getUndoHistory());
        view->setSize (840, 625);
        view->setVisible (true);
    }

    juce::String uid (int target, int column) const { return processor->getModulationsManager().getModMatrixParameterUID (target, column); }

    velk::VelkKnob& cell (int target, int column) const { return dynamic_cast<velk::VelkKnob&> (*view->findChildWithID (uid (target, column))); }

    juce::RangedAudioParameter& parameter (const juce::String& id) const { return *processor->valueTreeState.getParameter (id); }

    void set (const juce::String& id, float value) const { parameter (id).setValueNotifyingHost (parameter (id).convertTo0to1 (value)); }

    juce::TextButton& resetButton() const
    {
        for (auto* child : view->getChildren())
            if (auto* button = dynamic_cast<juce::TextButton*> (child))
                return *button;

        throw std::runtime_error ("no RESET button");
    }

    velk::CCMapperUIManager ccMapperUIManager{ processor->ccMapper };
    std::unique_ptr<velk::ModMatrixComponent> view;
    velk::ControlToParameterMapper mapper{ processor->valueTreeState, { [this] (juce::RangedAudioParameter& parameter)
                                                                        { processor->getUndoHistory().beginGesture (parameter); },
                                                                        [this] (juce::RangedAudioParameter& parameter)
                                                                        { processor->getUndoHistory().endGesture (parameter); } } }; // goes first, as in the editor
};

// Some depths of both signs, a few scales, the highlight on DELAY 1 TIME x LFO 2, the editor's
// colours: stripes, labels, colours and bipolar bars in one picture.
TEST_F (ModMatrix, DrawsTheGrid)
{
    openEditor(); // the labels draw with the editor's default look and its typeface
    view->colourByModule (*processor);
    set ("Matrix_LFO_1_to_Delay_1_Time", 60.0f);
    set ("Matrix_LFO_2_to_Delay_1_Time", -100.0f);
    set ("Matrix_Macro_3_to_Filter_Cut", 25.0f);
    set ("Matrix_LFO_4_to_Panner_3_Pan", -40.0f);
    set ("Matrix_Delay_1_Time_Global_Scale", 50.0f);
    set ("Matrix_Dry_Wet_Global_Scale", 0.0f);
    view->followMouseAt ({ 5 + 92 * 2 + 1, 5 + 18 * 14 + 1 });

    EXPECT_TRUE (matchesGolden (snapshot (*view), "mod_matrix"));
}

TEST_F (ModMatrix, GeometryAtTheBaseSizeAndUnderTenPixels)
{
    const auto base = view->getGeometry();
    EXPECT_EQ (std::make_tuple (base.rowHeight, base.columnWidth, base.cellInset, base.cellWidth, base.cellHeight),
               std::make_tuple (18, 92, 4, 92, 10));
    EXPECT_EQ (resetButton().getBounds(), Rect (5, 6, 40, 16));

    view->setSize (8, 8);
    const auto tiny = view->getGeometry();
    EXPECT_EQ (std::make_tuple (tiny.rowHeight, tiny.columnWidth, tiny.cellWidth, tiny.cellHeight), std::make_tuple (0, 0, 0, 0));
    EXPECT_TRUE (cell (31, scaleColumn).getBounds().isEmpty());
    view->followMouseAt ({ 6, 6 });
    EXPECT_EQ (view->getHoveredRow() + view->getHoveredColumn(), 0);
    EXPECT_TRUE (snapshot (*view).isValid());
}

// Each cell: found by its parameter's identifier, placed in its row and column, a bar in its
// column's look, following its parameter, and learnable.
TEST_F (ModMatrix, EveryCellIsBoundAndLearnable)
{
    processor->ccMapper.lastReceivedCC = 20;

    for (int t = 0; t < numTargets; ++t)
        for (int c = 0; c <= scaleColumn; ++c)
        {
            auto& knob = cell (t, c);
            SCOPED_TRACE (uid (t, c));

            EXPECT_EQ (knob.parameterID, uid (t, c));
            EXPECT_EQ (knob.getBounds(), Rect (5 + 92 * (c + 1), 5 + 18 * (t + 1) + 4, 92, 10));
            EXPECT_EQ (knob.getSliderStyle(), juce::Slider::LinearHorizontal);
            EXPECT_EQ (dynamic_cast<velk::VKBipolarLook*> (&knob.getLookAndFeel()) != nullptr, c < scaleColumn);

            set (uid (t, c), c < scaleColumn ? -37.5f : 62.5f);
            EXPECT_EQ (knob.getValue(), c < scaleColumn ? -37.5 : 62.5);

            knob.handleMenuResult (velk::MIDITarget::assignItemId);
            knob.dispatchPendingMessages();
        }

    const auto map = processor->ccMapper.getMap();
    EXPECT_EQ (map.getNumChildren(), numTargets * (scaleColumn + 1));
    EXPECT_EQ (map.getChildWithName ("Matrix_LFO_1_to_Delay_1_Time")[velk::CCMapper::ccValueProperty], juce::var (20));
}

TEST_F (ModMatrix, HoverMovesByTheLabelsAndStaysWhenTheMouseLeavesOrTheViewHides)
{
    struct Step
    {
        juce::Point<int> mouse;
        int row, column;
    };

    const Step steps[] = {
        { { 10, 5 + 18 * 3 + 9 }, 3, 0 },     // label column: the row only
        { { 5 + 92 * 2 + 10, 10 }, 3, 2 },    // header row: the column only
        { { 5 + 92 * 4, 5 + 18 * 6 }, 6, 4 }, // a cell's corner: both
        { { 845, 300 }, 6, 4 },               // outside
        { { -1, -1 }, 6, 4 },
        { { 5 + 92 * 8 + 91, 5 + 18 * 33 + 2 }, 6, 8 }, // below the last row, inside a column
    };

    for (const auto& step : steps)
    {
        view->followMouseAt (step.mouse);
        EXPECT_EQ (std::make_pair (view->getHoveredRow(), view->getHoveredColumn()), std::make_pair (step.row, step.column))
            << step.mouse.toString();
    }

    view->setVisible (false);
    view->followMouseAt ({ 5 + 92, 5 + 18 });
    view->timerCallback();
    EXPECT_EQ (std::make_pair (view->getHoveredRow(), view->getHoveredColumn()), std::make_pair (6, 8));
}

TEST_F (ModMatrix, ResetAfterRandomizeRestoresEveryCellOneGesturePairEachButNotTheGlobalScale)
{
    processor->parametersRandomizer.random.setSeed (42);
    processor->parametersRandomizer.randomizeParametersByAmount (velk::ParametersRandomizer::matrixGroup, 1.0f);
    set (velk::ModulationsManager::globalModDepthParameterUID, 40.0f);

    std::vector<ParameterEventRecorder::Event> expected;

    for (int t = 0; t < numTargets; ++t)
        for (int c = 0; c <= scaleColumn; ++c)
        {
            const auto index = parameter (uid (t, c)).getParameterIndex();
            expected.insert (expected.end(), { { Kind::gestureBegin, index }, { Kind::changed, index }, { Kind::gestureEnd, index } });
        }

    ParameterEventRecorder host (*processor);
    resetButton().triggerClick();
    pumpMessages();

    EXPECT_TRUE (host.events == expected);

    for (int t = 0; t < numTargets; ++t)
        for (int c = 0; c <= scaleColumn; ++c)
            EXPECT_EQ (cell (t, c).getValue(), c < scaleColumn ? 0.0 : 100.0) << uid (t, c);

    EXPECT_EQ (processor->valueTreeState.getRawParameterValue (velk::ModulationsManager::globalModDepthParameterUID)->load(), 40.0f);
}
} // namespace tavelin::test
