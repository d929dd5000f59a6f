#include "processor/Preferences.h"

#include "platform/UserFileLocations.h"

#include <cmath>

namespace velk
{
namespace
{
    constexpr int saveDelayMs = 3000;
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
        options.millisecondsBeforeSaving = saveDelayMs;
        options.storageFormat = juce::PropertiesFile::storeAsXML;
        options.processLock = nullptr;
        return options;
    }
} // namespace

const juce::String Preferences::versionProperty{ "Version" };
const juce::String Preferences::uiScaleFactorProperty{ "UI_Scale" };
const juce::String Preferences::scopeColourProperty{ "Scope_Colour" };
const juce::String Preferences::scopeEnabledProperty{ "Scope_Enabled" };
const juce::String Preferences::versionText{ "v " JucePlugin_VersionString };

Preferences::Preferences()
    : file (std::make_unique<juce::PropertiesFile> (UserFileLocations::getPreferencesFile(), fileOptions()))
{
    tree.setProperty (versionProperty, file->getValue (versionProperty), nullptr);

    if (tree[versionProperty].toString() != versionText)
    {
        tree.setProperty (versionProperty, versionText, nullptr);
        file->setValue (versionProperty, tree[versionProperty]);
    }

    // A scale the editor can't be shown at (text that is no number, zero, negative, huge) would
    // leave the user without a usable window in every project; such a value is not taken.
    const auto scale = file->getDoubleValue (uiScaleFactorProperty, 1.0);
    uiScaleFactor = std::isfinite (scale) && scale >= minUiScale && scale <= maxUiScale ? (float) scale : 1.0f;
    tree.setProperty (uiScaleFactorProperty, (double) uiScaleFactor, nullptr);
    tree.setProperty (scopeColourProperty, file->getIntValue (scopeColourProperty, 0), nullptr);
    tree.setProperty (scopeEnabledProperty, file->getBoolValue (scopeEnabledProperty, true), nullptr);
}

Preferences::~Preferences()
{
    for (const auto& key : { uiScaleFactorProperty, scopeColourProperty, scopeEnabledProperty })
        file->setValue (key, tree[key]);

    file->saveIfNeeded();
}

bool Preferences::isScopeEnabled() const
{
    return (bool) tree[scopeEnabledProperty];
}
} // namespace velk
