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
    randomizeGroups ({ Randomizer::effectsGroup });
}

void TavelinAudioProcessorEditor::randomizeLFOClicked()
{
    randomizeGroups ({ Randomizer::lfoGroup });
}

void TavelinAudioProcessorEditor::randomizeMatrixClicked()
{
    randomizeGroups ({ Randomizer::matrixGroup });
}

void TavelinAudioProcessorEditor::randomizeAllClicked()
{
    randomizeGroups ({ Randomizer::effectsGroup, Randomizer::lfoGroup, Randomizer::matrixGroup });
}

void TavelinAudioProcessorEditor::randomizeGroups (std::initializer_list<velk::ParametersRandomizer::Group> groups)
{
    auto& randomizer = processor.parametersRandomizer;
    const auto amount = processor.randomizeAmount;
    juce::StringArray randomized;

    for (const auto group : groups)
        randomized.addArray (randomizer.getParameterGroup (group));

    processor.getUndoHistory().perform (randomized, [&]
                                        {
                                            for (const auto group : groups)
                                                randomizeGroup (randomizer, group, amount); });
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
