#pragma once

#include <juce_data_structures/juce_data_structures.h>

#include <map>

namespace velk
{
/** The settings that outlive a plug-in instance and are shared by every project of the user:
    the editor's scale and the oscilloscope's colour and switch, in ~/.config/Velkora/Tavelin.prefs.

    The file is read at construction and written back at destruction; in between the editor reads
    and writes `tree` and `uiScaleFactor` on the message thread. Other instances, in this host or
    another, share the file: each writes back only what it changed, so none loses another's.
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

    /** Reads the file. */
    Preferences();

    /** Writes back, over the file as it is now, each setting that this instance changed or
        found missing or unusable (unless another instance has written it since), and this build's
        version text.
    */
    ~Preferences();

    /** True unless the tree's "Scope_Enabled" says otherwise. */
    bool isScopeEnabled() const;

    /** "Version", "UI_Scale" (double), "Scope_Colour" (int 0 to 6) and "Scope_Enabled" (bool). */
    juce::ValueTree tree{ "Tavelin_Preferences" };

    /** The editor's scale: 1.0, or the stored "UI_Scale" when that is a usable one. */
    float uiScaleFactor = 1.0f;

private:
    /** Each setting's text in the file as this instance read it, and the values it took. */
    std::map<juce::String, juce::String> textsRead;
    juce::ValueTree valuesTaken;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Preferences)
};
} // namespace velk
