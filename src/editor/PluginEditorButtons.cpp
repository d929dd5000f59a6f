#include "editor/PluginEditor.h"

//==============================================================================
void TavelinAudioProcessorEditor::buttonClicked (juce::Button* button)
{
    if (button == presetBrowserButton.get())
        presetBrowserClicked();
    else if (button == savePresetButton.get())
        savePresetClicked();
    else if (button == previousPresetButton.get())
        stepPresetClicked (-1);
    else if (button == nextPresetButton.get())
        stepPresetClicked (1);
    else if (button == configButton.get())
        configClicked();
    else if (button == matrixViewButton.get())
        matrixViewClicked();
    else if (const auto chain = chainMenuButtons.indexOf (dynamic_cast<juce::TextButton*> (button)); chain >= 0)
        chainMenuClicked (chain);
    else if (button == randomizeFXButton.get())
        randomizeFXClicked();
    else if (button == randomizeLFOButton.get())
        randomizeLFOClicked();
    else if (button == randomizeMatrixButton.get())
        randomizeMatrixClicked();
    else if (button == randomizeAllButton.get())
        randomizeAllClicked();
}
