#include "editor/PluginEditor.h"
#include "editor/PresetStepper.h"
#include "processor/PluginProcessor.h"
#include "processor/PresetsManager.h"
#include "processor/ProgramChangeManager.h"

#include <utility>

//==============================================================================
void TavelinAudioProcessorEditor::setupPresetBrowser()
{
    presetSelector = std::make_unique<velk::PresetSelectorComponent>();
    addChildComponent (*presetSelector);
    presetSelector->getFileTree().addListener (this);
}

void TavelinAudioProcessorEditor::presetBrowserClicked()
{
    presetSelector->setVisible (!presetSelector->isVisible());
}

void TavelinAudioProcessorEditor::selectionChanged()
{
    const auto file = presetSelector->getFileTree().getSelectedFile();

    // Deselecting on the way to another entry, or opening a folder, picks no preset.
    if (!file.existsAsFile())
        return;

    // The file just saved holds the state in place: loading it must not cut the sound off.
    const auto memories = file == std::exchange (presetJustSaved, {}) ? velk::PresetLoader::ModuleMemories::keep
                                                                      : velk::PresetLoader::ModuleMemories::clear;

    if (const auto loaded = processor.loadPreset (file, memories); loaded.failed())
        fileNotice->showFailure ("load the preset", file, loaded);
}

void TavelinAudioProcessorEditor::fileClicked (const juce::File&, const juce::MouseEvent&) {}
void TavelinAudioProcessorEditor::fileDoubleClicked (const juce::File&) {}
void TavelinAudioProcessorEditor::browserRootChanged (const juce::File&) {}

//==============================================================================
void TavelinAudioProcessorEditor::savePresetClicked()
{
    const auto dialogFlags = juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                             | juce::FileBrowserComponent::warnAboutOverwriting;

    // Owned by the editor: closing the window closes the dialog and drops its result.
    fileDialog = std::make_unique<velk::FileDialog> ("Save Preset", juce::File (velk::PresetsManager::presetsFolderPath),
                                                     juce::String ("*.") + velk::PresetsManager::presetFileExtension, dialogFlags,
                                                     [this] (const juce::File& chosen)
                                                     { savePresetAs (chosen); });
}

void TavelinAudioProcessorEditor::savePresetAs (const juce::File& chosen)
{
    fileNotice->saveWithExtension (chosen, velk::PresetsManager::presetFileExtension, [this] (const juce::File& file)
                                   { savePresetTo (file); });
}

void TavelinAudioProcessorEditor::savePresetTo (const juce::File& file)
{
    // Nothing was saved, so nothing may claim it was.
    if (const auto saved = velk::PresetsManager::writePreset (processor.copyState(), file); saved.failed())
    {
        fileNotice->showFailure ("save the preset", file, saved);
        return;
    }

    processor.getCurrentPreset().setFile (file);
    presetJustSaved = file;
    presetSelector->refreshAndSelect (file);

    const auto midiFolder = velk::ProgramChangeManager::getMidiPresetsFolder();

    if (file.getParentDirectory().getFullPathName().equalsIgnoreCase (midiFolder.getFullPathName()))
        processor.getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
}

//==============================================================================
void TavelinAudioProcessorEditor::stepPresetClicked (int direction)
{
    const auto& current = processor.getCurrentPreset();

    // A file that does not load is stepped over, so one broken file cannot stop the arrows.
    for (const auto& file : velk::PresetStepper::filesToTry (juce::File (current.getFilePath()), current.getName(), direction))
        if (processor.loadPreset (file).wasOk())
            return;
}

juce::StringArray TavelinAudioProcessorEditor::generate_presets_list (const juce::File& folder)
{
    juce::StringArray names;

    for (const auto& file : velk::PresetStepper::listPresetFiles (folder))
        names.add (file.getFileNameWithoutExtension());

    return names;
}
