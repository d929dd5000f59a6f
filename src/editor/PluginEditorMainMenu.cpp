#include "editor/PluginEditor.h"

//==============================================================================
// Until the randomizer and main-menu actions are built, their clicks change nothing.
void TavelinAudioProcessorEditor::randomizeClicked (juce::Button&) {}
void TavelinAudioProcessorEditor::configClicked() {}
