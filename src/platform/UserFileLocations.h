#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** Where the plug-in keeps the user's own files on this platform.

    The desktop layout these files follow puts them in the user's Library; here the Library is
    the framework's user application-data folder (~/.config), so presets, preferences and the
    crash log all live below it.
*/
class UserFileLocations
{
public:
    /** ~/.config/Audio/Presets/Velkora/Tavelin. Taken from the home folder the first time it is
        asked for (during static initialisation) and fixed from then on.
    */
    static const juce::File& getPresetsFolder();

    /** ~/.config/Velkora/Tavelin.prefs. The framework's own default would be ~/Velkora, so the
        preferences file has to be given explicitly.
    */
    static juce::File getPreferencesFile();

    /** The folder that holds the log sub-folders of the framework's default application logger
        (~/.config): the crash log is written there by the framework's own rule.
    */
    static juce::File getLogFolder();

    /** Where the user keeps documents, and where MIDI-map dialogs open (in the home folder while
        it does not exist): the folder that XDG_DOCUMENTS_DIR names in ~/.config/user-dirs.dirs
        when that folder exists, else ~/Documents (which need not exist). Read afresh at each call.
    */
    static juce::File getDocumentsFolder();
};
} // namespace velk
