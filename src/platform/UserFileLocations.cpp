#include "platform/UserFileLocations.h"

namespace velk
{
namespace
{
    juce::File getUserLibrary()
    {
        return juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);
    }

    juce::File getVendorFolder (const juce::File& parent)
    {
        return parent.getChildFile (JucePlugin_Manufacturer);
    }
} // namespace

const juce::File& UserFileLocations::getPresetsFolder()
{
    static const juce::File presetsFolder = getVendorFolder (getUserLibrary().getChildFile ("Audio").getChildFile ("Presets"))
                                                .getChildFile (JucePlugin_Name);
    return presetsFolder;
}

namespace
{
    // Fixes the presets folder while the plug-in's code is being loaded, from the home folder at
    // that moment, whichever part of the plug-in asks for it first.
    [[maybe_unused]] const auto& presetsFolderAtLoad = UserFileLocations::getPresetsFolder();
} // namespace

juce::File UserFileLocations::getPreferencesFile()
{
    return getVendorFolder (getUserLibrary()).getChildFile (JucePlugin_Name ".prefs");
}

juce::File UserFileLocations::getLogFolder()
{
    return juce::FileLogger::getSystemLogFileFolder();
}

juce::File UserFileLocations::getDocumentsFolder()
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
}
} // namespace velk
