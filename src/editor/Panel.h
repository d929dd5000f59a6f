#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

/** The editor's one layout: every rectangle in base coordinates of the 840 x 660 canvas. The
    editor places each child at its base rectangle and scales all of them together, so nothing
    here ever depends on the window's size.
*/
namespace Tavelin::Panel
{
using Rect = juce::Rectangle<int>;

inline constexpr int baseWidth = 840;
inline constexpr int baseHeight = 660;

/** The window scales the processor accepts for the stored "UI_Scale" preference; the window is
    kept inside them, so a scale outside can be neither reached nor stored.
*/
inline constexpr float minScale = 0.25f;
inline constexpr float maxScale = 4.0f;

inline const Rect headerRect{ 0, 0, 840, 35 };
inline const Rect chain1Rect{ 0, 35, 840, 112 };
inline const Rect globalRect{ 0, 371, 280, 112 };
inline const Rect presetControlsRect{ 280, 371, 280, 28 };
inline const Rect scopeCell{ 280, 399, 280, 84 };
inline const Rect randomizerRect{ 560, 371, 280, 112 };
inline const Rect lfo1Rect{ 0, 483, 210, 112 };
inline const Rect footerRect{ 0, 595, 840, 65 };
inline const Rect macrosSectionRect{ 210, 600, 420, 45 };
inline const Rect macroKnob1Cell{ 210, 601, 140, 43 };
inline const Rect globalModKnobCell{ 35, 601, 140, 43 };
inline const Rect tavelinLogoRect{ 320, 8, 200, 19 };
inline const Rect vkTypoRect{ 30, 615, 780, 25 };
inline const Rect modMatrixRect{ 0, 35, 840, 625 };
inline const Rect chain1BypassButtonCell{ 816, 43, 12, 12 };

inline constexpr int macroKnobCellWidth = 140;
inline constexpr int globalControlCellWidth = 70;
inline constexpr int lfoControlCellWidth = 70;
inline constexpr int randomizerControlCellWidth = 93;

//==============================================================================
struct TitleBarLayout
{
    Rect panel, configButton, matrixViewButton, productLogo;
};

/** One chain's section. The nine knobs and their captions run left to right: pitch, size,
    feedback and mix of the pitch shifter, time, feedback and mix of the delay, level, pan.
*/
struct ChainLayout
{
    static constexpr int numKnobs = 9;

    Rect panel, headerLabel, menuButton, linkDecoration;
    std::array<Rect, numKnobs> captions, knobs;
    Rect syncedTimeMenu, syncButton, pingPongButton;
    std::array<Rect, 3> sectionLabels; // pitch shifter, delay, amp
    Rect bypassButton, toFilterButton, serialModeButton;
};

/** The output and filter section; cells 1 to 3 hold cutoff, resonance and dry/wet. */
struct OutputLayout
{
    Rect panel, headerLabel, outputLevel, filterModeDisplay, filterModeKnob;
    std::array<Rect, 3> cellLabels, cellKnobs;
    Rect filterSectionLabel;
};

struct PresetStripLayout
{
    Rect panel, nameLabel, browserButton, previousButton, nextButton, saveButton;
};

struct ScopeLayout
{
    Rect backgroundLogo, oscilloscope;
};

/** The links run from "LFO" and "MATRIX" to the amount knob and from it to "FX" and "ALL". */
struct RandomizerLayout
{
    Rect panel, headerLabel, lfoButton, matrixButton, fxButton, allButton, amountKnob;
    std::array<Rect, 4> linkDecorations;
};

struct LfoLayout
{
    Rect panel, headerLabel, linkDecoration, rateLabel, rateKnob, highRateKnob, syncedRateBox,
        syncButton, highRateButton, display, waveKnob;
};

struct FooterLayout
{
    Rect panel;
    std::array<Rect, 3> macroKnobs;
    Rect macrosLabel, globalModDepthKnob, modScaleLabel, makerLogo;
};

struct OverlayLayout
{
    Rect modMatrixView, presetSelector;
};

TitleBarLayout titleBar();
ChainLayout chainSection (int chain);
OutputLayout outputSection();
PresetStripLayout presetStrip();
ScopeLayout scope();
RandomizerLayout randomizer();
LfoLayout lfoSection (int lfo);
FooterLayout footer();
OverlayLayout overlays();
} // namespace Tavelin::Panel
