#include "editor/Panel.h"

#include <utility>

namespace Tavelin::Panel
{
namespace
{
    /** A rectangle at an offset from a section's top-left corner. */
    Rect at (Rect area, int dx, int dy, int width, int height)
    {
        return { area.getX() + dx, area.getY() + dy, width, height };
    }

    /** Panels start 2 px below their section and keep a 2 px gap to the next column. */
    Rect sectionPanel (Rect area)
    {
        return area.withTrimmedTop (2).withTrimmedRight (area.getRight() == baseWidth ? 0 : 2);
    }

    Rect headerLabelOf (Rect panel)
    {
        return { panel.getX() + 2, panel.getY(), 100, 20 };
    }

    /** A control of the given size centred across a cell of the given width, at a height offset. */
    Rect centredInCell (Rect area, int cellX, int cellWidth, int dy, int width, int height)
    {
        return at (area, cellX + (cellWidth - width) / 2, dy, width, height);
    }

    // Rows shared by the sections, as offsets from the top of a section.
    constexpr int captionRow = 30;
    constexpr int knobRow = 42;
    constexpr int toggleRow = 51;
    constexpr int sectionLabelRow = 92;
    constexpr int knobSize = 50;
    constexpr int buttonWidth = 50;
    constexpr int buttonHeight = 20;
    constexpr int menuBoxWidth = 56;
    constexpr int sectionLabelHeight = 20;

    constexpr int chainColumnWidth = 84;
    constexpr int chainSyncColumn = 4;
    constexpr std::array<int, ChainLayout::numKnobs> chainKnobColumns{ 0, 1, 2, 3, 5, 6, 7, 8, 9 };
} // namespace

TitleBarLayout titleBar()
{
    const auto side = headerRect.getHeight() - 2 * ((headerRect.getHeight() - 20) / 2);
    const auto top = (headerRect.getHeight() - side) / 2;
    const auto inset = 5;

    return { headerRect,
             { inset, top, side, side },
             { headerRect.getRight() - inset - side, top, side, side },
             tavelinLogoRect };
}

ChainLayout chainSection (int chain)
{
    const auto area = chain1Rect.translated (0, chain1Rect.getHeight() * chain);
    const auto bypass = chain1BypassButtonCell.translated (0, chain1Rect.getHeight() * chain);
    const auto syncColumnX = chainSyncColumn * chainColumnWidth;

    ChainLayout layout;
    layout.panel = sectionPanel (area);
    layout.headerLabel = headerLabelOf (layout.panel);
    layout.menuButton = layout.headerLabel;
    layout.linkDecoration = at (area, syncColumnX + chainColumnWidth / 2, 60, chainColumnWidth, 2);

    for (size_t i = 0; i < chainKnobColumns.size(); ++i)
    {
        const auto columnX = chainKnobColumns[i] * chainColumnWidth;
        layout.captions[i] = at (area, columnX, captionRow, chainColumnWidth, 12);
        layout.knobs[i] = centredInCell (area, columnX, chainColumnWidth, knobRow, knobSize, knobSize);
    }

    const auto timeColumnX = syncColumnX + chainColumnWidth;
    layout.syncedTimeMenu = centredInCell (area, timeColumnX, chainColumnWidth, toggleRow, menuBoxWidth, buttonHeight);
    layout.syncButton = centredInCell (area, syncColumnX, chainColumnWidth, toggleRow, buttonWidth, buttonHeight);
    layout.pingPongButton = layout.syncButton.withY (area.getY() + 29);

    // Pitch shifter, delay and amp span four, four and two columns.
    const auto labelInset = 5;
    const std::array<std::pair<int, int>, 3> labelColumns{ { { 0, 4 }, { 4, 4 }, { 8, 2 } } };

    for (size_t i = 0; i < labelColumns.size(); ++i)
        layout.sectionLabels[i] = at (area, labelColumns[i].first * chainColumnWidth + labelInset, sectionLabelRow,
                                      labelColumns[i].second * chainColumnWidth - 2 * labelInset, sectionLabelHeight);

    layout.bypassButton = bypass;
    layout.toFilterButton = bypass.withX (bypass.getX() - 20 - bypass.getWidth());
    layout.serialModeButton = bypass.withX (bypass.getX() - 40 - 2 * bypass.getWidth());
    return layout;
}

OutputLayout outputSection()
{
    const auto area = globalRect;
    const auto cell = globalControlCellWidth;

    OutputLayout layout;
    layout.panel = sectionPanel (area);
    layout.headerLabel = headerLabelOf (layout.panel);

    const auto third = layout.panel.getWidth() / 3;
    layout.outputLevel = { layout.panel.getX() + 2 * third, layout.panel.getY(),
                           layout.panel.getWidth() - 2 * third - 4, layout.headerLabel.getHeight() };

    layout.filterModeDisplay = centredInCell (area, 0, cell, 36, knobSize, knobSize);
    layout.filterModeKnob = at (area, 0, knobRow, cell, 38);

    for (size_t i = 0; i < layout.cellKnobs.size(); ++i)
    {
        const auto cellX = (int) (i + 1) * cell;
        layout.cellLabels[i] = at (area, cellX, captionRow, cell, 12);
        layout.cellKnobs[i] = centredInCell (area, cellX, cell, knobRow, knobSize, knobSize);
    }

    layout.filterSectionLabel = at (area, 5, sectionLabelRow, 200, sectionLabelHeight);
    return layout;
}

PresetStripLayout presetStrip()
{
    const auto area = presetControlsRect;
    const auto name = at (area, 4, 2, area.getWidth() - 8, area.getHeight() - 4);
    const auto button = [&area] (int index)
    { return at (area, 191 + 29 * index, 5, 20, 20); };

    return { sectionPanel (area), name, name.withWidth (183), button (0), button (1), button (2) };
}

ScopeLayout scope()
{
    return { at (scopeCell, 10, 12, scopeCell.getWidth() - 22, scopeCell.getHeight() - 22), sectionPanel (scopeCell) };
}

RandomizerLayout randomizer()
{
    const auto area = randomizerRect;
    const auto cell = randomizerControlCellWidth;
    const auto upperRow = 35;
    const auto lowerRow = 66;

    RandomizerLayout layout;
    layout.panel = sectionPanel (area);
    layout.headerLabel = headerLabelOf (layout.panel);
    layout.lfoButton = centredInCell (area, 0, cell, upperRow, buttonWidth, buttonHeight);
    layout.matrixButton = centredInCell (area, 0, cell, lowerRow, buttonWidth, buttonHeight);
    layout.fxButton = centredInCell (area, 2 * cell, cell, upperRow, buttonWidth, buttonHeight);
    layout.allButton = centredInCell (area, 2 * cell, cell, lowerRow, buttonWidth, buttonHeight);
    layout.amountKnob = at (area, cell, knobRow, cell, 38);

    const auto knobCentre = layout.amountKnob.getCentre();
    layout.linkDecorations = { Rect (layout.lfoButton.getCentre(), knobCentre),
                               Rect (layout.matrixButton.getCentre(), knobCentre),
                               Rect (knobCentre, layout.fxButton.getCentre()),
                               Rect (knobCentre, layout.allButton.getCentre()) };
    return layout;
}

LfoLayout lfoSection (int lfo)
{
    const auto area = lfo1Rect.translated (lfo1Rect.getWidth() * lfo, 0);
    const auto cell = lfoControlCellWidth;

    LfoLayout layout;
    layout.panel = sectionPanel (area);
    layout.headerLabel = headerLabelOf (layout.panel);
    layout.linkDecoration = at (area, cell / 2, 60, cell, 2);
    layout.rateLabel = at (area, 0, captionRow, cell, 12);
    layout.rateKnob = centredInCell (area, 0, cell, knobRow, knobSize, knobSize);
    layout.highRateKnob = layout.rateKnob;
    layout.syncedRateBox = centredInCell (area, 0, cell, toggleRow, menuBoxWidth, buttonHeight);
    layout.syncButton = centredInCell (area, cell, cell, toggleRow, buttonWidth, buttonHeight);
    layout.highRateButton = centredInCell (area, cell, cell, 75, buttonWidth, buttonHeight);
    layout.display = centredInCell (area, 2 * cell, cell, 36, knobSize, knobSize);
    layout.waveKnob = at (area, 2 * cell, knobRow, cell, 38);
    return layout;
}

FooterLayout footer()
{
    const auto labelTop = footerRect.getBottom() - sectionLabelHeight;
    const auto captionUnder = [labelTop] (int x, int width)
    { return Rect (x + 5, labelTop, width - 10, sectionLabelHeight); };

    FooterLayout layout;
    layout.panel = sectionPanel (footerRect);

    for (size_t k = 0; k < layout.macroKnobs.size(); ++k)
        layout.macroKnobs[k] = macroKnob1Cell.translated (macroKnobCellWidth * (int) k, 0);

    layout.macrosLabel = captionUnder (macrosSectionRect.getX(), 3 * macroKnobCellWidth);
    layout.globalModDepthKnob = globalModKnobCell;
    layout.modScaleLabel = captionUnder (globalModKnobCell.getX(), globalModKnobCell.getWidth());
    layout.makerLogo = vkTypoRect;
    return layout;
}

OverlayLayout overlays()
{
    const auto columnWidth = baseWidth / 3;
    const auto top = headerRect.getBottom() + 2;

    return { modMatrixRect, { 2 * columnWidth, top, baseWidth - 2 * columnWidth, baseHeight - top } };
}
} // namespace Tavelin::Panel
