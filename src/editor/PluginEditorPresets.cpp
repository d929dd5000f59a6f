#include "editor/PluginEditor.h"

//==============================================================================
// Until the preset actions are built, their clicks change nothing.
void TavelinAudioProcessorEditor::presetBrowserClicked() {}
void TavelinAudioProcessorEditor::savePresetClicked() {}
void TavelinAudioProcessorEditor::stepPresetClicked (int) {}
