#pragma once

#include "editor/components/FileNotice.h"
#include "editor/components/OscilloscopeComponent.h"
#include "platform/FileDialog.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <memory>

class TavelinAudioProcessor;

namespace velk
{
/** The config button's menu and what its items do: undo and redo, the oscilloscope's switch and
    colour, every parameter back to its default, the current state as the default preset, MIDI-map
    files, a new random seed, the presets folder and the crash log.

    The editor shows the menu and hands the chosen id to itemChosen(); the map dialogs hand their
    file to saveMidiMapTo() and loadMidiMapFrom(). Message thread only.
*/
class MainMenu
{
public:
    /** The items' ids; a dismissed menu gives 0. */
    enum ItemId
    {
        openPresetsDirectoryId = 1,
        goToCrashLogId = 2,
        initializeParametersId = 3,
        saveMidiMapId = 4,
        loadMidiMapId = 5,
        clearMidiMapId = 6,
        firstScopeColourId = 7, // to 13: the scope's colours 0 to 6, as "Scope_Colour" counts them
        scopeEnabledId = 14,
        saveAsDefaultId = 15,
        undoId = 16,
        redoId = 17,
        newRandomSeedId = 18,
        titleId = -10
    };

    static constexpr int numScopeColours = 7;

    /** fileDialog is the editor's one dialog: the map dialogs open in it, and deleting it (before
        this object goes) closes the dialog and drops its result. fileNotice asks before a map
        save replaces a file and tells of the saves and loads that fail. hostIsLive leaves out
        the change gestures when initialising, as Ableton Live mishandles gestures that a plug-in
        starts.
    */
    MainMenu (TavelinAudioProcessor& processor, OscilloscopeComponent& oscilloscope,
              std::unique_ptr<FileDialog>& fileDialog, FileNotice& fileNotice,
              bool hostIsLive = juce::PluginHostType().isAbletonLive());

    /** The menu as it stands now: "ENABLED" is ticked from the "Scope_Enabled" preference. */
    juce::PopupMenu create() const;

    /** Acts on a chosen item; 0 and any other id outside the list do nothing. */
    void itemChosen (int itemId);

    /** The map dialogs' actions on the file the user chose. The save adds the map extension to
        a name without it, and asks before it replaces a file of that name (the dialog asked
        only about the name as typed). A map file that cannot be written, or one that holds no
        map, changes nothing and is told of.
    */
    void saveMidiMapAs (const juce::File& chosen);
    void saveMidiMapTo (const juce::File& file);
    void loadMidiMapFrom (const juce::File& file);

private:
    //==============================================================================
    void initializeParameters();
    void setScopeColour (int index);
    void setScopeEnabled (bool enabled);
    void saveAsDefault();
    void launchMidiMapDialog (const juce::String& title, int flags, FileDialog::Action action);

    //==============================================================================
    TavelinAudioProcessor& processor;
    OscilloscopeComponent& oscilloscope;
    std::unique_ptr<FileDialog>& fileDialog;
    FileNotice& fileNotice;
    const bool hostIsLive;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainMenu)
};
} // namespace velk
