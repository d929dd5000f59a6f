#pragma once

#include "editor/controls/CCMapperUIManager.h"
#include "editor/controls/ControlToParameterMapper.h"
#include "editor/controls/VelkKnob.h"
#include "lookandfeel/VKBipolarLook.h"
#include "lookandfeel/VKLook.h"
#include "modulation/ModulationsManager.h"
#include "processor/UndoHistory.h"

class TavelinAudioProcessor;

namespace velk
{
/** The modulation matrix as one grid: a row per modulation target, a column per modulator
    and a last column for each target's scale; every cell is a MIDI-learnable bar bound to its
    matrix parameter. The row and column last under the mouse stay highlighted, so the user
    can find a cell's labels on a 256-cell grid. RESET sets every cell back to its default, one
    step of the undo history.

    The mapper that binds the cells must go before the view, so that no attachment outlives
    its cell.
*/
class ModMatrixComponent : public juce::Component,
                           public juce::Button::Listener,
                           public juce::Timer
{
public:
    /** The grid's measures for the view's size: a 5 px margin, a header row and a label
        column, and cells centred in their rows with a quarter row above and below.
    */
    struct Geometry
    {
        int innerWidth, innerHeight, rowHeight, columnWidth, cellInset, cellWidth, cellHeight;
    };

    static constexpr int margin = 5;

    ModMatrixComponent (ControlToParameterMapper& parameterMapper, ModulationsManager& modulationsManager,
                        CCMapperUIManager& ccMapperUIManager, juce::AudioProcessorValueTreeState& valueTreeState,
                        UndoHistory& undoHistory);
    ~ModMatrixComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;
    void timerCallback() override;
    void buttonClicked (juce::Button*) override;

    //==============================================================================
    /** Gives every target row whose label contains the module's label (every row, for an
        empty identifier) the colour, on its label and its amount bars; the scale bar keeps its
        own colour.
    */
    void setColourForTarget (const juce::String& moduleUid, const juce::Colour& colour);

    /** The same for the modulator column labels; "GLOBAL SCALE" keeps its colour. */
    void setColourForSource (const juce::String& moduleUid, const juce::Colour& colour);

    /** The editor's section colours: each row in the colour of the module that owns its target,
        the LFO and macro columns in theirs.
    */
    void colourByModule (const TavelinAudioProcessor& processor);

    /** "LFO_1_Rate" gives "LFO 1 RATE": labels and colour keys alike. */
    static juce::String labelTextFor (const juce::String& identifier);

    //==============================================================================
    Geometry getGeometry() const;

    /** Highlights the row and the column under a point of the view; where there is none, the
        last one stays. A hidden view keeps its highlight.
    */
    void followMouseAt (juce::Point<int> position);

    /** 1 + the index of the highlighted target row, 0 before any. */
    int getHoveredRow() const noexcept { return hoveredRow; }

    /** 1 + the index of the highlighted source column, 0 before any. */
    int getHoveredColumn() const noexcept { return hoveredColumn; }

private:
    //==============================================================================
    void addSourceLabels();
    void addTargetRow (int target, ControlToParameterMapper& parameterMapper, CCMapperUIManager& ccMapperUIManager);
    int numColumns() const noexcept { return sourceLabels.size(); }

    //==============================================================================
    ModulationsManager& modulationsManager;
    juce::AudioProcessorValueTreeState& valueTreeState;
    UndoHistory& undoHistory;

    // Declared before the cells, which draw with them until they are gone.
    juce::SharedResourcePointer<VKLook> scaleLook;
    juce::SharedResourcePointer<VKBipolarLook> amountLook;

    juce::OwnedArray<juce::Label> sourceLabels;
    juce::OwnedArray<juce::Label> targetLabels;
    juce::OwnedArray<juce::OwnedArray<VelkKnob>> cellSliders;
    std::unique_ptr<juce::TextButton> resetButton;

    int hoveredRow = 0;
    int hoveredColumn = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ModMatrixComponent)
};
} // namespace velk
