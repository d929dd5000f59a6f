#include "processor/Preferences.h"

#include "platform/UserFileLocations.h"
#include "processor/NumberReader.h"

#include <array>
#include <cmath>

namespace velk
{
namespace
{
    // No save timer: the file object of ~Preferences() saves its changes as it is destroyed.
    constexpr int noSaveTimer = -1;
    constexpr double minUiScale = 0.25;
    constexpr double maxUiScale = 4.0;

    juce::PropertiesFile::Options fileOptions()
    {
        juce::PropertiesFile::Options options;
        options.applicationName = JucePlugin_Name;
        options.filenameSuffix = ".prefs";
        options.folderName = JucePlugin_Manufacturer;
        options.osxLibrarySubFolder = "Application Support";
        options.commonToAllUsers = false;
        options.ignoreCaseOfKeyNames = false;
        options.doNotSave = false;
        options.millisecondsBeforeSaving = noSaveTimer;
        options.storageFormat = juce::PropertiesFile::storeAsXML;
        options.processLock = nullptr;
        return options;
    }

    // Read by our reader: the framework's parsers have no defined result for every text.
    double numberIn (const juce::PropertiesFile& file, const juce::String& key, double fallback)
    {
        return file.containsKey (key) ? NumberReader::readDouble (file.getValue (key)) : fallback;
    }

    int wholeNumberIn (const juce::PropertiesFile& file, const juce::String& key, int fallback)
    {
        return file.containsKey (key) ? NumberReader::readInt (file.getValue (key)) : fallback;
    }

    std::array<juce::String, 3> settingKeys()
    {
        return { Preferences::uiScaleFactorProperty, Preferences::scopeColourProperty, Preferences::scopeEnabledProperty };
    }
} // namespace

const juce::String Preferences::versionProperty{ "Version" };
const juce::String Preferences::uiScaleFactorProperty{ "UI_Scale" };
const juce::String Preferences::scopeColourProperty{ "Scope_Colour" };
const juce::String Preferences::scopeEnabledProperty{ "Scope_Enabled" };
const juce::String Preferences::versionText{ "v " JucePlugin_VersionString };

Preferences::Preferences()
{
    const juce::PropertiesFile file (UserFileLocations::getPreferencesFile(), fileOptions());
    tree.setProperty (versionProperty, versionText, nullptr);

    // A scale the editor can't be shown at (text that is no number, zero, negative, huge) would
    // leave the user without a usable window in every project; such a value is not taken.
    const auto scale = numberIn (file, uiScaleFactorProperty, 1.0);
    uiScaleFactor = std::isfinite (scale) && scale >= minUiScale && scale <= maxUiScale ? (float) scale : 1.0f;
    tree.setProperty (uiScaleFactorProperty, (double) uiScaleFactor, nullptr);
    tree.setProperty (scopeColourProperty, wholeNumberIn (file, scopeColourProperty, 0), nullptr);
    tree.setProperty (scopeEnabledProperty, wholeNumberIn (file, scopeEnabledProperty, 1) != 0, nullptr);

    for (const auto& key : settingKeys())
        textsRead[key] = file.getValue (key);

    valuesTaken = tree.createCopy();
}

Preferences::~Preferences()
{
    // Read again: another instance may have written the file since this one read it. The file
    // object saves what is set here, through a temporary file, when it goes.
    juce::PropertiesFile file (UserFileLocations::getPreferencesFile(), fileOptions());

    for (const auto& key : settingKeys())
    {
        const auto changedHere = tree[key] != valuesTaken[key];
        const auto foundUnusable = textsRead[key] != valuesTaken[key].toString();
        const auto untouchedSince = file.getValue (key) == textsRead[key];

        if (changedHere || (foundUnusable && untouchedSince))
            file.setValue (key, tree[key]);
    }

    if (file.getValue (versionProperty) != versionText)
        file.setValue (versionProperty, versionText);
}

bool Preferences::isScopeEnabled() const
{
    return (bool) tree[scopeEnabledProperty];
}
} // namespace velk
