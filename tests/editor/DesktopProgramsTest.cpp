#include "editor/FakeDesktop.h"
#include "editor/PresetFolderFixture.h"
#include "platform/UserFileLocations.h"
#include "processor/PluginCrashLogger.h"

namespace tavelin::test
{
namespace
{
    enum class Dialog
    {
        savePreset,
        saveMap,
        loadMap
    };

    struct DialogCase
    {
        Dialog dialog;
        const char* program;
    };

    void PrintTo (const DialogCase& row, std::ostream* os)
    {
        *os << (int) row.dialog << " in " << row.program;
    }
} // namespace

/** The editor's dialogs and reveals with their programs played by scripts, in the host's
    process: what the programs are given and what the process is left with afterwards.
*/
class DesktopPrograms : public PresetFolderFixture
{
protected:
    DesktopPrograms()
    {
        documents.createDirectory();
        openEditor();
    }

    ~DesktopPrograms() override { documents.deleteRecursively(); }

    void open (Dialog dialog)
    {
        switch (dialog)
        {
            case Dialog::savePreset:
                click (Tavelin::Panel::presetStrip().saveButton);
                break;
            case Dialog::saveMap:
                editor->getMainMenu().itemChosen (velk::MainMenu::saveMidiMapId);
                break;
            case Dialog::loadMap:
                editor->getMainMenu().itemChosen (velk::MainMenu::loadMidiMapId);
                break;
        }
    }

    /** The file the user picks in the dialog, made ready for it. */
    juce::File choiceFor (Dialog dialog)
    {
        if (dialog == Dialog::savePreset)
            return presetsFolder().getChildFile ("Chosen.vtp");

        const auto map = documents.getChildFile ("chosen.vtcc");

        if (dialog == Dialog::loadMap)
        {
            EXPECT_TRUE (map.replaceWithText (R"(<Tavelin_MIDI_MAP><Dry_Wet cc="5"/></Tavelin_MIDI_MAP>)"));
        }

        return map;
    }

    /** Whether the dialog's action on that choice has been done. */
    bool actedOn (Dialog dialog, const juce::File& choice) const
    {
        return dialog == Dialog::loadMap ? processor->ccMapper.getMap().getNumChildren() == 1 : choice.existsAsFile();
    }

    /** Once every child has ended, how many stay behind defunct. */
    static int defunctChildrenOnceAllEnded()
    {
        waitUntil ([]
                   { return childrenOfThisProcess().running == 0; });
        return childrenOfThisProcess().defunct;
    }

    FakeDesktop desktop;
    const juce::File documents = velk::UserFileLocations::getDocumentsFolder();
    const juce::File workingDirectory = juce::File::getCurrentWorkingDirectory();
};

//==============================================================================
class HostProcessAfterAChoice : public DesktopPrograms,
                                public ::testing::WithParamInterface<DialogCase>
{
};

TEST_P (HostProcessAfterAChoice, KeepsItsWorkingDirectoryAndNoDefunctChild)
{
    const auto choice = choiceFor (GetParam().dialog);
    desktop.install (GetParam().program, "echo " + choice.getFullPathName().quoted ('\''));

    open (GetParam().dialog);
    ASSERT_TRUE (waitUntil ([&]
                            { return actedOn (GetParam().dialog, choice); }));

    EXPECT_EQ (juce::File::getCurrentWorkingDirectory(), workingDirectory);
    EXPECT_EQ (defunctChildrenOnceAllEnded(), 0);
}

// kdialog never had the working directory changed, and its normal end was always waited for.
INSTANTIATE_TEST_SUITE_P (Dialogs, HostProcessAfterAChoice,
                          ::testing::Values (DialogCase{ Dialog::savePreset, "zenity" },
                                             DialogCase{ Dialog::saveMap, "zenity" },
                                             DialogCase{ Dialog::loadMap, "zenity" }));

//==============================================================================
class HostProcessAfterClosingTheEditor : public DesktopPrograms,
                                         public ::testing::WithParamInterface<DialogCase>
{
};

TEST_P (HostProcessAfterClosingTheEditor, KeepsNoChildOfTheOpenDialog)
{
    const auto choice = choiceFor (GetParam().dialog);
    desktop.install (GetParam().program, "exec sleep 30");

    if (juce::String (GetParam().program) == "kdialog")
        FakeDesktop::startKdeSession();

    open (GetParam().dialog);
    ASSERT_FALSE (desktop.argumentsOf (GetParam().program).isEmpty()) << "the dialog never started";

    closeEditor();
    EXPECT_EQ (childrenOfThisProcess().running, 0) << "the dialog stays open";
    EXPECT_EQ (defunctChildrenOnceAllEnded(), 0);

    pumpMessages();
    EXPECT_FALSE (actedOn (GetParam().dialog, choice));
}

INSTANTIATE_TEST_SUITE_P (Dialogs, HostProcessAfterClosingTheEditor,
                          ::testing::Values (DialogCase{ Dialog::savePreset, "zenity" },
                                             DialogCase{ Dialog::saveMap, "zenity" },
                                             DialogCase{ Dialog::loadMap, "zenity" },
                                             DialogCase{ Dialog::savePreset, "kdialog" },
                                             DialogCase{ Dialog::saveMap, "kdialog" },
                                             DialogCase{ Dialog::loadMap, "kdialog" }));

//==============================================================================
struct RevealCase
{
    int menuItem;
    juce::File (*folder)();
};

class HostProcessAfterAReveal : public DesktopPrograms,
                                public ::testing::WithParamInterface<RevealCase>
{
};

TEST_P (HostProcessAfterAReveal, KeepsNoDefunctChild)
{
    desktop.install ("xdg-open", {});

    editor->getMainMenu().itemChosen (GetParam().menuItem);
    EXPECT_EQ (desktop.argumentsOf ("xdg-open"), juce::StringArray (GetParam().folder().getFullPathName()));

    EXPECT_EQ (defunctChildrenOnceAllEnded(), 0);
}

INSTANTIATE_TEST_SUITE_P (MenuItems, HostProcessAfterAReveal,
                          ::testing::Values (RevealCase{ velk::MainMenu::openPresetsDirectoryId, []
                                                         { return juce::File (velk::PresetsManager::presetsFolderPath); } },
                                             RevealCase{ velk::MainMenu::goToCrashLogId, []
                                                         { return velk::PluginCrashLogger::getLogFile().getParentDirectory(); } }));

//==============================================================================
struct MapDialogCase
{
    int menuItem;
    bool documentsExist;
};

class MapDialogStart : public DesktopPrograms,
                       public ::testing::WithParamInterface<MapDialogCase>
{
};

TEST_P (MapDialogStart, IsTheDocumentsFolderOrElseTheHomeFolderWithNoNameTypedIn)
{
    if (!GetParam().documentsExist)
        documents.deleteRecursively();

    desktop.install ("zenity", "exit 1"); // the user cancels
    editor->getMainMenu().itemChosen (GetParam().menuItem);

    const auto folder = GetParam().documentsExist ? documents : juce::File::getSpecialLocation (juce::File::userHomeDirectory);
    const auto arguments = desktop.argumentsOf ("zenity");
    EXPECT_TRUE (arguments.contains ("--filename=" + folder.getFullPathName() + "/")) << arguments.joinIntoString (" ");
}

INSTANTIATE_TEST_SUITE_P (MapDialogs, MapDialogStart,
                          ::testing::Values (MapDialogCase{ velk::MainMenu::saveMidiMapId, true },
                                             MapDialogCase{ velk::MainMenu::saveMidiMapId, false },
                                             MapDialogCase{ velk::MainMenu::loadMidiMapId, true },
                                             MapDialogCase{ velk::MainMenu::loadMidiMapId, false }));
} // namespace tavelin::test
