#include "editor/EditorFixture.h"
#include "editor/Panel.h"

#include <iostream>
#include <limits>
#include <sstream>

namespace tavelin::test
{
namespace
{
    using Tavelin::Panel::Rect;

    double storedScale (TavelinAudioProcessor& processor)
    {
        return processor.getPreferences().tree[TavelinAudioProcessor::uiScaleFactorProperty];
    }

    juce::Component* cornerGrip (juce::Component& editor)
    {
        for (auto* child : editor.getChildren())
            if (dynamic_cast<juce::ResizableCornerComponent*> (child) != nullptr)
                return child;

        return nullptr;
    }

    struct OpeningSize
    {
        float storedScale;
        int width, height;
        float scaleAfterwards;
    };
} // namespace

class WindowOpening : public EditorFixture,
                      public ::testing::WithParamInterface<OpeningSize>
{
};

TEST_P (WindowOpening, TakesItsWidthFromTheStoredScaleRoundedItsHeightFromTheRatioAndStoresWhatItOpensAt)
{
    const auto row = GetParam();
    processor->getPreferences().uiScaleFactor = row.storedScale;
    openEditor();

    EXPECT_EQ (editor->getBounds(), juce::Rectangle<int> (row.width, row.height));
    EXPECT_EQ (processor->getPreferences().uiScaleFactor, row.scaleAfterwards);
    EXPECT_EQ (storedScale (*processor), (double) row.scaleAfterwards);
}

INSTANTIATE_TEST_SUITE_P (StoredScales, WindowOpening,
                          ::testing::Values (OpeningSize{ 1.0f, 840, 660, 1.0f },
                                             OpeningSize{ 1.5f, 1260, 990, 1.5f },
                                             OpeningSize{ 0.8f, 672, 528, 0.8f },
                                             OpeningSize{ 1000.0f / 840.0f, 1000, 786, 1000.0f / 840.0f },
                                             OpeningSize{ 473.0f / 840.0f, 473, 372, 473.0f / 840.0f },
                                             // No window can have these: it opens at 1.0.
                                             OpeningSize{ 0.0f, 840, 660, 1.0f },
                                             OpeningSize{ -1.0f, 840, 660, 1.0f },
                                             OpeningSize{ std::numeric_limits<float>::quiet_NaN(), 840, 660, 1.0f },
                                             OpeningSize{ 1e9f, 840, 660, 1.0f }));

using Window = EditorFixture;

TEST_F (Window, At1260EveryChildButTheCornerGripIsScaledByOneAndAHalf)
{
    // A host's display scale is a transform of the whole editor, no part of the stored scale.
    openEditor().setScaleFactor (2.0f);
    editor->setSize (1260, 990);

    EXPECT_EQ (storedScale (*processor), 1.5);
    auto* grip = cornerGrip (*editor);
    ASSERT_NE (grip, nullptr);
    EXPECT_TRUE (grip->getTransform().isIdentity());
    EXPECT_EQ (grip->getBounds(), Rect (1242, 972, 18, 18));
    ASSERT_GT (editor->getNumChildComponents(), 1);

    for (auto* child : editor->getChildren())
    {
        if (child != grip)
        {
            EXPECT_EQ (child->getTransform(), juce::AffineTransform::scale (1.5f));
        }
    }
}

/** Dragged to by the corner grip, which stretches the right and bottom edges; the constrainer
    then makes one side from the other.
*/
class WindowLeftAtASize : public EditorFixture,
                          public ::testing::WithParamInterface<Rect>
{
};

TEST_P (WindowLeftAtASize, ReopensAtThatSizeToThePixel)
{
    openEditor();
    editor->getConstrainer()->setBoundsForComponent (editor, GetParam(), false, false, true, true);
    const auto left = editor->getBounds();
    closeEditor();

    for (int reopening = 0; reopening < 3; ++reopening)
    {
        openEditor();
        EXPECT_EQ (editor->getBounds(), left) << left.toString() << ", reopening " << reopening;
        closeEditor();
    }
}

INSTANTIATE_TEST_SUITE_P (CornerDrags, WindowLeftAtASize,
                          ::testing::Values (Rect (962, 756), Rect (961, 700), Rect (1000, 900), Rect (473, 300),
                                             Rect (700, 600), Rect (1333, 1000), Rect (211, 100), Rect (3000, 2900)));

TEST_F (Window, NoSizeOutsideAQuarterToFourTimesTheBaseIsReachedOrStored)
{
    openEditor().setSize (1260, 990);

    editor->setSize (0, 0); // as a host hiding the window might
    EXPECT_EQ (processor->getPreferences().uiScaleFactor, 1.5f);
    EXPECT_EQ (storedScale (*processor), 1.5);

    editor->setBoundsConstrained ({ 0, 0, 100, 50 });
    EXPECT_EQ (editor->getBounds(), Rect (210, 165));
    editor->setBoundsConstrained ({ 0, 0, 5000, 5000 });
    EXPECT_EQ (editor->getBounds(), Rect (3360, 2640));
}

//==============================================================================
TEST (Layout, BaseRectanglesDerivedFromTheTableSitWhereTheLayoutPutsThem)
{
    using namespace Tavelin::Panel;
    const auto scaled = outputSection().cellKnobs[0].toFloat().transformedBy (juce::AffineTransform::scale (1.5f));

    EXPECT_EQ (scaled, juce::Rectangle<float> (120.0f, 619.5f, 75.0f, 75.0f)); // CUT at width 1260
    EXPECT_EQ (titleBar().configButton, Rect (5, 7, 21, 21));
    EXPECT_EQ (titleBar().matrixViewButton, Rect (814, 7, 21, 21));
    EXPECT_EQ (outputSection().outputLevel, Rect (184, 373, 90, 20));
    EXPECT_EQ (chainSection (1).syncedTimeMenu, Rect (434, 198, 56, 20));
    EXPECT_EQ (chainSection (2).serialModeButton, Rect (752, 267, 12, 12));
    EXPECT_EQ (randomizer().linkDecorations[1], Rect (606, 432, 93, 15));
    EXPECT_EQ (overlays().presetSelector, Rect (560, 37, 280, 623));

    for (int lfo = 0; lfo < 4; ++lfo)
        EXPECT_EQ (lfoSection (lfo).panel.getWidth(), lfo == 3 ? 210 : 208) << lfo;
}

//==============================================================================
TEST (EditorLifecycle, EachEditorObjectWritesOneLaunchedAndOneClosedLine)
{
    std::ostringstream captured;
    auto* previous = std::cerr.rdbuf (captured.rdbuf());
    {
        TavelinAudioProcessor first, second;
        auto* firstEditor = first.createEditorIfNeeded();
        auto* secondEditor = second.createEditorIfNeeded();
        first.editorBeingDeleted (firstEditor);
        delete firstEditor;
        second.editorBeingDeleted (secondEditor);
        delete secondEditor;
    }
    std::cerr.rdbuf (previous);

    EXPECT_EQ (captured.str(), "Plugin editor launched\nPlugin editor launched\nPlugin editor closed\nPlugin editor closed\n");
}
} // namespace tavelin::test
