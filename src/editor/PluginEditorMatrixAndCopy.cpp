#include "editor/PluginEditor.h"

//==============================================================================
// Until the matrix view and the chain menus are built, their clicks change nothing.
void TavelinAudioProcessorEditor::matrixViewClicked() {}
void TavelinAudioProcessorEditor::chainMenuClicked (int) {}
