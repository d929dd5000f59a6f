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
    // The sections' controls are placed here, each at its base rectangle.

    scaleChildren (scale);
}

juce::Rectangle<int> TavelinAudioProcessorEditor::openingBounds() const
{
    const auto scale = isWindowScale (processor.uiScaleFactor) ? processor.uiScaleFactor : 1.0f;

    // Truncated, as the stored scale is the width / 840 that the last window had.
    return { (int) ((float) Tavelin::Panel::baseWidth * scale), (int) ((float) Tavelin::Panel::baseHeight * scale) };
}

void TavelinAudioProcessorEditor::storeScale (float scale)
{
    processor.uiScaleFactor = scale;

    if (processor.preferencesTree.isValid())
        processor.preferencesTree.setProperty (TavelinAudioProcessor::uiScaleFactorProperty, (double) scale, nullptr);
}

void TavelinAudioProcessorEditor::scaleChildren (float scale)
{
    const auto transform = juce::AffineTransform::scale (scale);

    for (auto* child : getChildren())
        if (dynamic_cast<juce::ResizableCornerComponent*> (child) == nullptr)
            child->setTransform (transform);
}
