#include "editor/window/RealWindow.h"
#include "editor/components/ModMatrixComponent.h"

namespace tavelin::test
{
TEST_F (RealWindow, DraggingTheCornerGripKeepsTheRatioAndStoresTheScale)
{
    drag ({ 831, 651 }, { 1031, 681 });
    ASSERT_TRUE (waitUntil ([this]
                            { return editor->getWidth() > 840; }));

    EXPECT_NEAR ((double) editor->getWidth() / editor->getHeight(), 840.0 / 660.0, 0.002);
    EXPECT_EQ (processor->getPreferences().uiScaleFactor, (float) editor->getWidth() / 840.0f);
}

TEST_F (RealWindow, AltClickOnABoundKnobOpensTheLearnMenuInsteadOfADrag)
{
    const auto& knob = knobAt100 ("Delay_1_Mix");
    drag ({ 125, 120 }, { 125, 60 }, alt);

    EXPECT_EQ (numMenusOpen(), 1);
    EXPECT_EQ (drags.dragsStarted, 0);
    EXPECT_EQ (knob.getValue(), 0.0);
}

TEST_F (RealWindow, AKnobWithoutAnIdentifierTakesAltClickAsAPlainClick)
{
    knobAt100 ({});
    drag ({ 125, 120 }, { 125, 60 }, alt);

    EXPECT_EQ (numMenusOpen(), 0);
    EXPECT_EQ (drags.dragsStarted, 1);
}

TEST_F (RealWindow, ClosingTheWindowDismissesAnOpenLearnMenuAndItsChoiceIsDropped)
{
    knobAt100 ("Delay_1_Mix");
    drag ({ 125, 120 }, { 125, 120 }, alt);
    ASSERT_EQ (numMenusOpen(), 1);

    closeEditor();
    EXPECT_EQ (numMenusOpen(), 0); // at once, not when the menu next notices it lost the focus

    pumpMessages();
    EXPECT_EQ (processor->ccMapper.getMap().getNumChildren(), 0);
}

TEST_F (RealWindow, PasteChosenFromAChainHeadersMenuCopiesTheRememberedChain)
{
    choosePasteOnChain2AfterCopyingChain1();
    pumpMessages();

    EXPECT_EQ (delay2Time(), 750.0f);
}

TEST_F (RealWindow, APasteThatArrivesAfterTheWindowClosedIsDropped)
{
    choosePasteOnChain2AfterCopyingChain1();
    closeEditor();
    pumpMessages();

    EXPECT_EQ (delay2Time(), 120.0f);
}
TEST_F (RealWindow, TheMatrixHighlightFollowsThePointerByItself)
{
    for (auto* button : childrenOfType<juce::DrawableButton> (*editor))
        if (button->getName() == "matrix")
            button->triggerClick();

    auto& view = *childrenOfType<velk::ModMatrixComponent> (*editor).getFirst();
    ASSERT_TRUE (waitUntil ([&view]
                            { return view.isShowing(); }));

    // Over the cell of row 4, column 2; the view's own timer has to notice.
    juce::Desktop::setMousePosition (view.localPointToGlobal (juce::Point<int> (5 + 92 * 2 + 40, 5 + 18 * 4 + 9)));
    EXPECT_TRUE (waitUntil ([&view]
                            { return view.getHoveredRow() == 4 && view.getHoveredColumn() == 2; }));
}
} // namespace tavelin::test
