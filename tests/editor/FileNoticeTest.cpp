#include "editor/GoldenImage.h"
#include "editor/PresetFolderFixture.h"
#include "platform/UserFileLocations.h"

#include <csignal>
#include <sys/resource.h>

namespace tavelin::test
{
namespace
{
    /** Every file under the folders with its bytes. */
    std::map<juce::String, juce::MemoryBlock> filesUnder (std::initializer_list<juce::File> folders)
    {
        std::map<juce::String, juce::MemoryBlock> files;

        for (const auto& folder : folders)
            for (const auto& file : folder.findChildFiles (juce::File::findFiles, true, "*", juce::File::FollowSymlinks::no))
                file.loadFileAsData (files[file.getFullPathName()]);

        return files;
    }

    /** While it lives, no file of this process grows beyond a few bytes: the kernel takes a
        write only in part, as from a full disk.
    */
    class ScopedFullDisk
    {
    public:
        ScopedFullDisk()
        {
            getrlimit (RLIMIT_FSIZE, &previous);
            const rlimit limit{ 10, previous.rlim_max };
            setrlimit (RLIMIT_FSIZE, &limit);
        }

        ~ScopedFullDisk()
        {
            setrlimit (RLIMIT_FSIZE, &previous);
            std::signal (SIGXFSZ, previousHandler);
        }

    private:
        rlimit previous{};
        void (*previousHandler) (int) = std::signal (SIGXFSZ, SIG_IGN);
    };

    struct Failure
    {
        const char* action;
        const char* message; // nothing: the failure stays quiet
    };

    void PrintTo (const Failure& row, std::ostream* os)
    {
        *os << row.action;
    }
} // namespace

/** "a.vtp" loaded, a damaged "b.vtp" beside it and in the MIDI folder, a controller mapped, the
    editor open: what a failed save or load tells the user.
*/
class FileFailures : public PresetFolderFixture
{
protected:
    FileFailures()
    {
        writePresets ({ "a.vtp", "!b.vtp", "!MIDI/b.vtp" });
        processor->getProgramChangeRequest().midiPresetFileNames = velk::ProgramChangeManager::scanMidiPresetsFolder();
        EXPECT_TRUE (processor->loadPreset (presetsFolder().getChildFile ("a.vtp")).wasOk());
        processor->ccMapper.assignController ("Dry_Wet", 3);
        documents.createDirectory();
        documents.getChildFile ("damaged.vtcc").replaceWithText ("<Tavelin_MIDI_MAP>");
        presetsFolder().getChildFile ("Taken.vtp").createDirectory();
        velk::PresetsManager::getDefaultPresetFile().createDirectory();
        openEditor();
    }

    ~FileFailures() override { documents.deleteRecursively(); }

    void act (const juce::String& action)
    {
        auto& menu = editor->getMainMenu();

        if (action == "S into a folder that does not exist")
            editor->savePresetAs (presetsFolder().getChildFile ("none").getChildFile ("Bass"));
        else if (action == "S with the disk full")
        {
            const ScopedFullDisk full;
            editor->savePresetAs (presetsFolder().getChildFile ("Bass"));
        }
        else if (action == "S onto a folder")
            editor->savePresetAs (presetsFolder().getChildFile ("Taken.vtp"));
        else if (action == "SAVE CURRENT STATE AS DEFAULT onto a folder")
            menu.itemChosen (velk::MainMenu::saveAsDefaultId);
        else if (action == "map SAVE into a folder that does not exist")
            menu.saveMidiMapAs (documents.getChildFile ("none").getChildFile ("live"));
        else if (action == "map SAVE with the disk full")
        {
            const ScopedFullDisk full;
            menu.saveMidiMapAs (documents.getChildFile ("live"));
        }
        else if (action == "map LOAD of a file that is gone")
            menu.loadMidiMapFrom (documents.getChildFile ("gone.vtcc"));
        else if (action == "map LOAD of a preset")
            menu.loadMidiMapFrom (presetsFolder().getChildFile ("a.vtp"));
        else if (action == "map LOAD of a damaged file")
            menu.loadMidiMapFrom (documents.getChildFile ("damaged.vtcc"));
        else if (action == "a pick of a damaged preset in the browser")
            ASSERT_TRUE (select (presetsFolder().getChildFile ("b.vtp")));
        else if (action == "a program change to a damaged preset")
        {
            send ({ juce::MidiMessage::programChange (1, 0) });
            tick();
        }
        else
            FAIL() << "no action " << action;
    }

    const juce::File documents = velk::UserFileLocations::getDocumentsFolder();
};

class FailingFileAction : public FileFailures,
                          public ::testing::WithParamInterface<Failure>
{
};

TEST_P (FailingFileAction, TellsWhatFailedAndWhyAndChangesNoFileNameOrValue)
{
    const auto files = filesUnder ({ presetsFolder(), documents });
    const auto state = copyState().toXmlString();
    const auto preset = current();
    const auto map = processor->ccMapper.getMap().toXmlString();

    act (GetParam().action);

    EXPECT_EQ (noticeText(), juce::String (GetParam().message));
    EXPECT_EQ (noticeButton ("REPLACE"), nullptr) << "a failure asks nothing";
    EXPECT_EQ (filesUnder ({ presetsFolder(), documents }), files);
    EXPECT_EQ (copyState().toXmlString(), state);
    EXPECT_EQ (current(), preset);
    EXPECT_EQ (processor->ccMapper.getMap().toXmlString(), map);

    if (auto* ok = noticeButton ("OK"))
    {
        ok->triggerClick();
        pumpMessages();
        EXPECT_EQ (noticeText(), "");
    }
}

INSTANTIATE_TEST_SUITE_P (
    SavesAndLoads, FailingFileAction,
    ::testing::Values (
        Failure{ "S into a folder that does not exist", "Could not save the preset \"Bass.vtp\":\nits folder does not exist." },
        Failure{ "S with the disk full", "Could not save the preset \"Bass.vtp\":\nthere is no room for it on the disk." },
        Failure{ "S onto a folder", "Could not save the preset \"Taken.vtp\":\na folder has that name." },
        Failure{ "SAVE CURRENT STATE AS DEFAULT onto a folder", "Could not save the default preset \"User_Default.vtp\":\na folder has that name." },
        Failure{ "map SAVE into a folder that does not exist", "Could not save the MIDI map \"live.vtcc\":\nits folder does not exist." },
        Failure{ "map SAVE with the disk full", "Could not save the MIDI map \"live.vtcc\":\nthere is no room for it on the disk." },
        Failure{ "map LOAD of a file that is gone", "Could not load the MIDI map \"gone.vtcc\":\nit does not exist." },
        Failure{ "map LOAD of a preset", "Could not load the MIDI map \"a.vtp\":\nit holds no MIDI map." },
        Failure{ "map LOAD of a damaged file", "Could not load the MIDI map \"damaged.vtcc\":\nit is damaged or of another kind." },
        Failure{ "a pick of a damaged preset in the browser", "Could not load the preset \"b.vtp\":\nit is damaged or of another kind." },
        Failure{ "a program change to a damaged preset", "" }));

TEST_F (FileFailures, AreToldInABoxOverTheShadedEditor)
{
    act ("map SAVE into a folder that does not exist");
    auto& notice = *descendantOfType<velk::FileNotice> (*editor);
    const auto box = notice.getLocalBounds().withSizeKeepingCentre (320, 120);
    EXPECT_TRUE (matchesGolden (snapshot (notice).getClippedImage (box), "file_notice_failure"));
}

//==============================================================================
using FileNames = PresetFolderFixture;

TEST_F (FileNames, AMapSavedWithoutItsExtensionGetsItAndLoadsBackFromWhatLoadLists)
{
    const auto documents = velk::UserFileLocations::getDocumentsFolder();
    documents.createDirectory();
    openEditor();
    processor->ccMapper.assignController ("Dry_Wet", 3);
    editor->getMainMenu().saveMidiMapAs (documents.getChildFile ("mymap"));

    const auto listed = documents.findChildFiles (juce::File::findFiles, false, juce::String ("*.") + velk::CCMapper::mapFileExtension);
    ASSERT_EQ (listed, juce::Array<juce::File> (documents.getChildFile ("mymap.vtcc")));

    processor->ccMapper.clearMap();
    editor->getMainMenu().loadMidiMapFrom (listed.getFirst());
    EXPECT_EQ ((int) processor->ccMapper.getMap().getChildWithName ("Dry_Wet")[velk::CCMapper::ccValueProperty], 3);
    documents.deleteRecursively();
}

TEST_F (FileNames, APresetNameOfTwoHundredAndFiftyBytesSavesAndIsListed)
{
    const auto name = juce::String::repeatedString (juce::String::fromUTF8 ("\xc3\xa9"), 125); // two bytes each
    openEditor();
    editor->savePresetAs (presetsFolder().getChildFile (name));

    EXPECT_EQ (noticeText(), "");
    EXPECT_EQ (TavelinAudioProcessorEditor::generate_presets_list (presetsFolder()), juce::StringArray (name));
}
} // namespace tavelin::test
