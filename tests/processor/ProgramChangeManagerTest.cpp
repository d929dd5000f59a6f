#include "processor/ProgramChangeManager.h"
#include "processor/PresetsManager.h"

#include <gtest/gtest.h>

namespace
{
using velk::ProgramChangeManager;

class ProgramChangeManagerTest : public testing::Test
{
protected:
    void TearDown() override { juce::File (velk::PresetsManager::presetsFolderPath).deleteRecursively(); }

    static void createFiles (std::initializer_list<const char*> names)
    {
        const auto folder = ProgramChangeManager::getMidiPresetsFolder();
        ASSERT_TRUE (folder.createDirectory());

        for (const auto* name : names)
            ASSERT_TRUE (folder.getChildFile (name).create());
    }
};

TEST_F (ProgramChangeManagerTest, MidiFolderLiesDirectlyInThePresetFolder)
{
    EXPECT_EQ (ProgramChangeManager::getMidiPresetsFolder().getFullPathName(),
               velk::PresetsManager::presetsFolderPath + "/MIDI");
}

TEST_F (ProgramChangeManagerTest, ScanListsPresetFilesInNaturalOrder)
{
    createFiles ({ "b.vtp", "A 10.vtp", "notes.txt", "a 2.vtp", "b.vtp.txt" });

    EXPECT_EQ (ProgramChangeManager::scanMidiPresetsFolder(), juce::StringArray ("a 2.vtp", "A 10.vtp", "b.vtp"));
}

TEST_F (ProgramChangeManagerTest, DigitRunsCompareByValue)
{
    createFiles ({ "Bank 10.vtp", "Bank 2.vtp", "Bank 1.vtp" });

    EXPECT_EQ (ProgramChangeManager::scanMidiPresetsFolder(), juce::StringArray ("Bank 1.vtp", "Bank 2.vtp", "Bank 10.vtp"));
}

TEST_F (ProgramChangeManagerTest, ScanTakesHiddenFilesAndExtensionsInAnyCase)
{
    createFiles ({ "UPPER.VTP", ".hidden.vtp", "mixed.Vtp" });

    EXPECT_EQ (ProgramChangeManager::scanMidiPresetsFolder(), juce::StringArray (".hidden.vtp", "mixed.Vtp", "UPPER.VTP"));
}

TEST_F (ProgramChangeManagerTest, SubFolderNamedLikeAPresetIsSkippedWithWhatItHolds)
{
    createFiles ({ "a.vtp" });
    const auto subFolder = ProgramChangeManager::getMidiPresetsFolder().getChildFile ("x.vtp");
    ASSERT_TRUE (subFolder.createDirectory());
    ASSERT_TRUE (subFolder.getChildFile ("inner.vtp").create());

    EXPECT_EQ (ProgramChangeManager::scanMidiPresetsFolder(), juce::StringArray ("a.vtp"));
}

TEST_F (ProgramChangeManagerTest, MissingMidiFolderOrAFileInItsPlaceScansToNothing)
{
    EXPECT_TRUE (ProgramChangeManager::scanMidiPresetsFolder().isEmpty());

    ASSERT_TRUE (ProgramChangeManager::getMidiPresetsFolder().create());
    EXPECT_TRUE (ProgramChangeManager::scanMidiPresetsFolder().isEmpty());
}

TEST_F (ProgramChangeManagerTest, ProgramNumberSelectsTheListEntryInTheMidiFolder)
{
    createFiles ({ "b.vtp", "A 10.vtp", "a 2.vtp" });
    const auto names = ProgramChangeManager::scanMidiPresetsFolder();
    const auto folder = ProgramChangeManager::getMidiPresetsFolder();

    EXPECT_EQ (ProgramChangeManager::getPresetFileForMIDIProgramChange (names, 0), folder.getChildFile ("a 2.vtp"));
    EXPECT_EQ (ProgramChangeManager::getPresetFileForMIDIProgramChange (names, 2), folder.getChildFile ("b.vtp"));
}

TEST_F (ProgramChangeManagerTest, ProgramNumberWithoutEntryGivesAnEmptyFile)
{
    const juce::StringArray names ("a.vtp", "b.vtp", "c.vtp");

    for (const auto program : { -1, 3, 127 })
    {
        const auto file = ProgramChangeManager::getPresetFileForMIDIProgramChange (names, program);

        EXPECT_EQ (file, juce::File()) << program;
        EXPECT_TRUE (file.getFullPathName().isEmpty()) << program;
    }
}
} // namespace
