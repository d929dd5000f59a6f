#include "platform/UserFileLocations.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{
using velk::UserFileLocations;

class UserFileLocationsTest : public testing::Test
{
protected:
    const juce::String home{ getenv ("HOME") };
};

TEST_F (UserFileLocationsTest, PresetsLieInTheLibrarysAudioPresetsFolder)
{
    EXPECT_EQ (UserFileLocations::getPresetsFolder().getFullPathName(), home + "/.config/Audio/Presets/Velkora/Tavelin");
}

TEST_F (UserFileLocationsTest, PreferencesFileLiesInTheVendorsFolder)
{
    EXPECT_EQ (UserFileLocations::getPreferencesFile().getFullPathName(), home + "/.config/Velkora/Tavelin.prefs");
}

TEST_F (UserFileLocationsTest, LogFolderIsTheFrameworksUserApplicationData)
{
    EXPECT_EQ (UserFileLocations::getLogFolder().getFullPathName(), home + "/.config");
}

TEST_F (UserFileLocationsTest, DocumentsAreTheDesktopsDocumentsFolderWhenThatExistsElseHomeDocuments)
{
    const auto userDirs = juce::File (home).getChildFile (".config/user-dirs.dirs");
    userDirs.getParentDirectory().createDirectory();
    const auto documentsIn = [&userDirs] (const char* line)
    {
        userDirs.replaceWithText (line);
        return UserFileLocations::getDocumentsFolder().getFullPathName();
    };

    juce::File (home).getChildFile ("Papers").createDirectory();
    EXPECT_EQ (documentsIn ("XDG_MUSIC_DIR=\"$HOME/Music\"\nXDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n"), home + "/Papers");
    EXPECT_EQ (documentsIn ("XDG_DOCUMENTS_DIR=\"$HOME/Missing\"\n"), home + "/Documents");
    userDirs.deleteFile();
    EXPECT_EQ (UserFileLocations::getDocumentsFolder().getFullPathName(), home + "/Documents");
}

TEST_F (UserFileLocationsTest, PresetsFolderStaysFixedWhenTheHomeFolderChanges)
{
    const auto otherHome = juce::File (home).getChildFile ("other");
    setenv ("HOME", otherHome.getFullPathName().toRawUTF8(), 1);

    const auto presetsFolder = UserFileLocations::getPresetsFolder().getFullPathName();
    const auto preferencesFile = UserFileLocations::getPreferencesFile().getFullPathName();
    setenv ("HOME", home.toRawUTF8(), 1);

    EXPECT_EQ (presetsFolder, home + "/.config/Audio/Presets/Velkora/Tavelin");
    EXPECT_EQ (preferencesFile, otherHome.getFullPathName() + "/.config/Velkora/Tavelin.prefs");
}
} // namespace
