#include "editor/Panel.h"
#include "editor/PluginEditor.h"
#include "processor/PluginProcessor.h"

#include <cmath>

namespace
{
bool isWindowScale (float scale)
{
    return std::isfinite (scale) && scale >= Tavelin::Panel::minScale && scale <= Tavelin::Panel::maxScale;
}
} // namespace

//==============================================================================
void TavelinAudioProcessorEditor::resized()
{
    // The width alone gives the scale: a host's display scale is a transform of the whole
    // editor, which never changes getWidth(), so it never reaches the stored preference.
    const auto scale = (float) getWidth() / (float) Tavelin::Panel::baseWidth;

    // Only a size the window cannot be dragged to (the host hiding it at 0 x 0, say) lies
    // outside; storing it would open the next window at that size.
    if (!isWindowScale (scale))
        return;

    storeScale (scale);

    headerPanel->setBounds (Tavelin::Panel::titleBar().panel);
    layOutChains();
    layOutOutputAndFooter();
    layOutLFOs();
    presetSelector->setBounds (Tavelin::Panel::overlays().presetSelector);
    modMatrixView->setBounds (Tavelin::Panel::overlays().modMatrixView);
    fileNotice->setBounds (0, 0, Tavelin::Panel::baseWidth, Tavelin::Panel::baseHeight);

    scaleChildren (scale);
}

void TavelinAudioProcessorEditor::setUpResizing()
{
    using namespace Tavelin::Panel;
    setResizable (true, true);
    auto& sizes = *getConstrainer();
    sizes.setFixedAspectRatio ((double) baseWidth / (double) baseHeight);

    // Every size the grip or the host can reach then has a scale that the next window opens at.
    sizes.setSizeLimits (juce::roundToInt ((float) baseWidth * minScale), juce::roundToInt ((float) baseHeight * minScale),
                         juce::roundToInt ((float) baseWidth * maxScale), juce::roundToInt ((float) baseHeight * maxScale));

    const auto stored = processor.getPreferences().uiScaleFactor;
    const auto scale = isWindowScale (stored) ? stored : 1.0f;

    // The stored scale is the last window's width / 840, a float a hair below or above the
    // width: rounded, it gives that width back (truncated, a window shrank by a pixel at every
    // reopen). The height follows from the width as the constrainer made it while the user
    // dragged, so the window comes back at the size it was left at, to the pixel.
    const auto width = juce::roundToInt ((float) baseWidth * scale);
    setSize (width, juce::roundToInt ((double) width / sizes.getFixedAspectRatio()));
}

void TavelinAudioProcessorEditor::storeScale (float scale)
{
    auto& preferences = processor.getPreferences();
    preferences.uiScaleFactor = scale;

    if (preferences.tree.isValid())
        preferences.tree.setProperty (TavelinAudioProcessor::uiScaleFactorProperty, (double) scale, nullptr);
}

void TavelinAudioProcessorEditor::scaleChildren (float scale)
{
    const auto transform = juce::AffineTransform::scale (scale);

    for (auto* child : getChildren())
        if (dynamic_cast<juce::ResizableCornerComponent*> (child) == nullptr)
            child->setTransform (transform);
}
