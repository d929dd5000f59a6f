#pragma once

#include "lookandfeel/MacroLook.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VKLook.h"

#include <functional>

/** A sheet of every control drawn by the look and feel, in each of its states, to be reviewed
    by eye. While it exists, the main look is the default look-and-feel, as in the editor.
*/
class ReviewSheet
{
public:
    ReviewSheet();
    ~ReviewSheet();

    juce::Image render();

private:
    //==============================================================================
    using Painter = std::function<void (juce::Graphics&, juce::Rectangle<int>)>;

    /** Draws a captioned cell of the given size at the cursor and moves the cursor past it. */
    void cell (int width, int height, const juce::String& caption, const Painter& paint);
    void component (juce::Component&, const juce::String& caption);
    void newRow (const juce::String& title);

    void knobs();
    void linearSliders();
    void buttons();
    void comboBoxesAndLabels();
    void popupMenu();
    void scrollbarsAndTreeBoxes();
    void tabsTooltipAndText();

    velk::VKLook look;
    velk::VKBipolarLook bipolarLook;
    MacroLook macroLook;

    juce::Image sheet;
    std::unique_ptr<juce::Graphics> graphics;
    juce::Point<int> cursor;
    int rowHeight = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ReviewSheet)
};
