#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <memory>

namespace velk
{
/** The settings that outlive a plug-in instance and are shared by every project of the user:
    the editor's scale and the oscilloscope's colour and switch, in ~/.config/Velkora/Tavelin.prefs.

    The file is read at construction and written back at destruction; in between the editor reads
    and writes `tree` and `uiScaleFactor` on the message thread.
*/
class Preferences
{
public:
    static const juce::String versionProperty;
    static const juce::String uiScaleFactorProperty;
    static const juce::String scopeColourProperty;
    static const juce::String scopeEnabledProperty;

    /** "v " and the version number of this build. */
    static const juce::String versionText;

    /** Reads the file; a version text other than this build's is replaced in the file. */
    Preferences();

    /** Writes the scale and the scope settings back to the file. */
    ~Preferences();

    /** True unless the tree's "Scope_Enabled" says otherwise. */
    bool isScopeEnabled() const;

    /** "Version", "UI_Scale" (double), "Scope_Colour" (int 0 to 6) and "Scope_Enabled" (bool). */
    juce::ValueTree tree{ "Tavelin_Preferences" };

    /** The editor's scale: 1.0, or the stored "UI_Scale" when that is a usable one. */
    float uiScaleFactor = 1.0f;

private:
    std::unique_ptr<juce::PropertiesFile> file;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Preferences)
};
} // namespace velk
