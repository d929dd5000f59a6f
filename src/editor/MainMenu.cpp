#include "editor/MainMenu.h"

#include "parameters/ParameterChange.h"
#include "platform/FileReveal.h"
#include "platform/UserFileLocations.h"
#include "processor/PluginProcessor.h"
#include "processor/PresetsManager.h"

#include <array>

namespace velk
{
namespace
{
    // In the order of the "Scope_Colour" values.
    const std::array<const char*, MainMenu::numScopeColours> scopeColourNames{ "PURPLE", "BLUE", "GREEN", "YELLOW",
                                                                               "LIME", "ORANGE", "WHITE" };

    constexpr int saveDialogFlags = juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles
                                    | juce::FileBrowserComponent::warnAboutOverwriting;
    constexpr int openDialogFlags = juce::FileBrowserComponent::openMode | juce::FileBrowserComponent::canSelectFiles;

    juce::String titleText()
    {
        return (juce::String (JucePlugin_Name " v " JucePlugin_VersionString)).toUpperCase();
    }
} // namespace

MainMenu::MainMenu (TavelinAudioProcessor& owner, OscilloscopeComponent& scope,
                    std::unique_ptr<FileDialog>& dialog, FileNotice& notice, bool isLive)
    : processor (owner),
      oscilloscope (scope),
      fileDialog (dialog),
      fileNotice (notice),
      hostIsLive (isLive)
{
}

//==============================================================================
juce::PopupMenu MainMenu::create() const
{
    juce::PopupMenu midiMapMenu;
    midiMapMenu.addItem (clearMidiMapId, "CLEAR");
    midiMapMenu.addItem (saveMidiMapId, "SAVE");
    midiMapMenu.addItem (loadMidiMapId, "LOAD");

    juce::PopupMenu scopeMenu;
    scopeMenu.addItem (scopeEnabledId, "ENABLED", true, processor.getPreferences().isScopeEnabled());

    for (int colour = 0; colour < numScopeColours; ++colour)
        scopeMenu.addColouredItem (firstScopeColourId + colour, scopeColourNames[(size_t) colour],
                                   OscilloscopeComponent::colourForIndex (colour));

    juce::PopupMenu menu;
    menu.addItem (undoId, "UNDO");
    menu.addItem (redoId, "REDO");
    menu.addSubMenu ("SCOPE", scopeMenu);
    menu.addItem (initializeParametersId, "INITIALIZE PARAMETERS");
    menu.addItem (saveAsDefaultId, "SAVE CURRENT STATE AS DEFAULT");
    menu.addSubMenu ("MIDI MAP", midiMapMenu);
    menu.addItem (newRandomSeedId, "NEW RANDOM SEED");
    menu.addItem (openPresetsDirectoryId, "OPEN PRESETS DIRECTORY");
    menu.addItem (goToCrashLogId, "GO TO CRASH LOG");
    menu.addItem (titleId, titleText(), false);
    return menu;
}

void MainMenu::itemChosen (int itemId)
{
    switch (itemId)
    {
        case openPresetsDirectoryId:
            FileReveal::reveal (juce::File (PresetsManager::presetsFolderPath));
            break;
        case goToCrashLogId:
            FileReveal::reveal (PluginCrashLogger::appendSummaryToLog());
            break;
        case initializeParametersId:
            initializeParameters();
            break;
        case saveMidiMapId:
            launchMidiMapDialog ("SAVE MIDI MAP", saveDialogFlags, [this] (const juce::File& file)
                                 { saveMidiMapAs (file); });
            break;
        case loadMidiMapId:
            launchMidiMapDialog ("LOAD MIDI MAP", openDialogFlags, [this] (const juce::File& file)
                                 { loadMidiMapFrom (file); });
            break;
        case clearMidiMapId:
            processor.ccMapper.clearMap();
            break;
        case scopeEnabledId:
            setScopeEnabled (!processor.getPreferences().isScopeEnabled());
            break;
        case saveAsDefaultId:
            saveAsDefault();
            break;
        case undoId:
            processor.undo();
            break;
        case redoId:
            processor.redo();
            break;
        case newRandomSeedId:
            processor.parametersRandomizer.random.setSeedRandomly();
            break;
        default:
            if (juce::isPositiveAndBelow (itemId - firstScopeColourId, numScopeColours))
                setScopeColour (itemId - firstScopeColourId);

            break;
    }
}

void MainMenu::saveMidiMapAs (const juce::File& chosen)
{
    fileNotice.saveWithExtension (chosen, CCMapper::mapFileExtension, [this] (const juce::File& file)
                                  { saveMidiMapTo (file); });
}

void MainMenu::saveMidiMapTo (const juce::File& file)
{
    if (const auto saved = processor.ccMapper.writeMapFile (file); saved.failed())
        fileNotice.showFailure ("save the MIDI map", file, saved);
}

void MainMenu::loadMidiMapFrom (const juce::File& file)
{
    if (const auto loaded = processor.ccMapper.loadMapFile (file); loaded.failed())
        fileNotice.showFailure ("load the MIDI map", file, loaded);
}

//==============================================================================
void MainMenu::initializeParameters()
{
    juce::StringArray everyParameter;

    for (auto* parameter : processor.getParameters())
        if (auto* withId = dynamic_cast<juce::RangedAudioParameter*> (parameter))
            everyParameter.add (withId->paramID);

    processor.getUndoHistory().perform (everyParameter, [this]
                                        {
                                            for (auto* parameter : processor.getParameters())
                                                setParameterNotifyingHost (*parameter, parameter->getDefaultValue(), !hostIsLive); });
}

void MainMenu::setScopeColour (int index)
{
    oscilloscope.waveColour = OscilloscopeComponent::colourForIndex (index);
    processor.getPreferences().tree.setProperty (TavelinAudioProcessor::scopeColourProperty, index, nullptr);
}

void MainMenu::setScopeEnabled (bool enabled)
{
    oscilloscope.scopeEnabled = enabled;

    if (!enabled)
    {
        oscilloscope.wavePath.clear();
        oscilloscope.repaint();
    }

    // The audio path follows this preference: with it off, nothing more goes into the scope.
    processor.getPreferences().tree.setProperty (TavelinAudioProcessor::scopeEnabledProperty, enabled, nullptr);
}

void MainMenu::saveAsDefault()
{
    const auto file = PresetsManager::getDefaultPresetFile();

    if (const auto saved = PresetsManager::writePreset (processor.copyState(), file); saved.failed())
        fileNotice.showFailure ("save the default preset", file, saved);
}

void MainMenu::launchMidiMapDialog (const juce::String& title, int flags, FileDialog::Action action)
{
    fileDialog = std::make_unique<FileDialog> (title, UserFileLocations::getDocumentsFolder(),
                                               juce::String ("*.") + CCMapper::mapFileExtension, flags, std::move (action));
}
} // namespace velk
