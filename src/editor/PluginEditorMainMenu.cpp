#include "editor/PluginEditor.h"

#include "processor/PluginProcessor.h"

namespace
{
using Randomizer = velk::ParametersRandomizer;

void randomizeGroup (Randomizer& randomizer, Randomizer::Group group, float amount)
{
    // Matrix cells still at their default stay empty, so a random matrix keeps its routing.
    if (group == Randomizer::matrixGroup)
        randomizer.randomizeParametersByAmountIfNotAtDefaultSetting (group, amount);
    else
        randomizer.randomizeParametersByAmount (group, amount);
}
} // namespace

//==============================================================================
void TavelinAudioProcessorEditor::randomizeFXClicked()
{
    randomizeGroup (processor.parametersRandomizer, Randomizer::effectsGroup, processor.randomizeAmount);
}

void TavelinAudioProcessorEditor::randomizeLFOClicked()
{
    randomizeGroup (processor.parametersRandomizer, Randomizer::lfoGroup, processor.randomizeAmount);
}

void TavelinAudioProcessorEditor::randomizeMatrixClicked()
{
    randomizeGroup (processor.parametersRandomizer, Randomizer::matrixGroup, processor.randomizeAmount);
}

void TavelinAudioProcessorEditor::randomizeAllClicked()
{
    const auto amount = processor.randomizeAmount;

    for (const auto group : { Randomizer::effectsGroup, Randomizer::lfoGroup, Randomizer::matrixGroup })
        randomizeGroup (processor.parametersRandomizer, group, amount);
}

//==============================================================================
void TavelinAudioProcessorEditor::configClicked()
{
    mainMenu->create().showMenuAsync (juce::PopupMenu::Options().withTargetComponent (configButton.get()),
                                      [editor = juce::Component::SafePointer<TavelinAudioProcessorEditor> (this)] (int itemId)
                                      {
        // The window may have closed while the menu was open.
        if (editor != nullptr)
            editor->mainMenu->itemChosen (itemId);
    });
}
