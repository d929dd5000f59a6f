#include "editor/FakeDesktop.h"
#include "editor/PresetFolderFixture.h"
#include "platform/UserFileLocations.h"
#include "processor/PluginCrashLogger.h"

#include <array>
#include <csignal>
#include <fcntl.h>
#include <variant>

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

//==============================================================================
namespace
{
    struct StartedProgramCase
    {
        const char* program;
        std::variant<Dialog, int> opener; // a dialog, or the menu item of a reveal
    };

    void PrintTo (const StartedProgramCase& row, std::ostream* os)
    {
        if (const auto* dialog = std::get_if<Dialog> (&row.opener))
            *os << "dialog " << (int) *dialog << " in " << row.program;
        else
            *os << "menu item " << std::get<int> (row.opener) << " in " << row.program;
    }
} // namespace

/** A host that holds a file and a pipe opened without close-on-exec, ignores SIGPIPE (as hosts
    that write to sockets do) and blocks a signal on its message thread (as hosts that take
    signals on a thread of their own do), while the editor starts a program.
*/
class ProgramOfAHostHoldingItsOwn : public DesktopPrograms,
                                    public ::testing::WithParamInterface<StartedProgramCase>
{
protected:
    ProgramOfAHostHoldingItsOwn()
    {
        EXPECT_EQ (::pipe (heldPipe.data()), 0);

        sigset_t blocked;
        sigemptyset (&blocked);
        sigaddset (&blocked, SIGUSR1);
        pthread_sigmask (SIG_BLOCK, &blocked, &hostMask);
    }

    ~ProgramOfAHostHoldingItsOwn() override
    {
        pthread_sigmask (SIG_SETMASK, &hostMask, nullptr);
        std::signal (SIGPIPE, hostPipeHandler);

        for (const auto descriptor : { heldFileDescriptor, heldPipe[0], heldPipe[1] })
            ::close (descriptor);

        heldFile.deleteFile();
    }

    void start (const StartedProgramCase& row)
    {
        if (const auto* dialog = std::get_if<Dialog> (&row.opener))
            open (*dialog);
        else
            editor->getMainMenu().itemChosen (std::get<int> (row.opener));
    }

    /** The pipes this process has open, as /proc names them. */
    static juce::StringArray pipesOfThisProcess()
    {
        juce::StringArray pipes;
        std::error_code closedMeanwhile;

        for (const auto& descriptor : std::filesystem::directory_iterator ("/proc/self/fd"))
            if (const auto target = std::filesystem::read_symlink (descriptor.path(), closedMeanwhile).string(); target.rfind ("pipe:", 0) == 0)
                pipes.add (target);

        pipes.sort (false);
        return pipes;
    }

    /** What one of this process's descriptors is open on, as `ls -l /proc/PID/fd` names it. */
    static juce::String targetOf (int descriptor)
    {
        return std::filesystem::read_symlink ("/proc/self/fd/" + std::to_string (descriptor)).string();
    }

    const juce::File heldFile = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getChildFile ("held-by-the-host");
    const int heldFileDescriptor = ::open (heldFile.getFullPathName().toRawUTF8(), O_RDWR | O_CREAT, 0600);
    std::array<int, 2> heldPipe{ -1, -1 };
    const decltype (SIG_DFL) hostPipeHandler = std::signal (SIGPIPE, SIG_IGN);
    sigset_t hostMask{};
};

TEST_P (ProgramOfAHostHoldingItsOwn, HasNoneOfItsDescriptorsAndEverySignalAtItsDefault)
{
    const juce::String program (GetParam().program);
    desktop.install (program, {}); // a dialog the user cancels, a folder shown

    if (program == "kdialog")
        FakeDesktop::startKdeSession();

    ASSERT_NE (heldFileDescriptor, -1);
    const auto hostPipes = pipesOfThisProcess();
    start (GetParam());

    const auto descriptors = desktop.descriptorsOf (program);
    ASSERT_TRUE (descriptors.isNotEmpty()) << "the program never started";
    for (const auto held : { heldFileDescriptor, heldPipe[0] })
        EXPECT_FALSE (descriptors.contains (targetOf (held))) << descriptors;

    EXPECT_EQ (desktop.signalsOf (program), "SigBlk:\t0000000000000000\nSigIgn:\t0000000000000000\n");

    // stdout is the dialog's pipe, or the host's own; the script's shell has its own use for it.
    for (const auto standard : { STDIN_FILENO, STDERR_FILENO })
    {
        if (fcntl (standard, F_GETFD) != -1)
        {
            EXPECT_TRUE (descriptors.contains (" " + juce::String (standard) + " -> ")) << descriptors;
        }
    }

    EXPECT_EQ (juce::File::getCurrentWorkingDirectory(), workingDirectory);
    EXPECT_TRUE (waitUntil ([]
                            {
                                const auto children = childrenOfThisProcess();
                                return children.running + children.defunct == 0; }))
        << "a child stays behind";

    closeEditor();
    EXPECT_EQ (pipesOfThisProcess(), hostPipes) << "the end of a dialog's pipe stays open";
}

INSTANTIATE_TEST_SUITE_P (DialogsAndReveals, ProgramOfAHostHoldingItsOwn,
                          ::testing::Values (StartedProgramCase{ "zenity", Dialog::savePreset },
                                             StartedProgramCase{ "zenity", Dialog::saveMap },
                                             StartedProgramCase{ "zenity", Dialog::loadMap },
                                             StartedProgramCase{ "kdialog", Dialog::savePreset },
                                             StartedProgramCase{ "kdialog", Dialog::saveMap },
                                             StartedProgramCase{ "kdialog", Dialog::loadMap },
                                             StartedProgramCase{ "xdg-open", velk::MainMenu::openPresetsDirectoryId },
                                             StartedProgramCase{ "xdg-open", velk::MainMenu::goToCrashLogId }));
} // namespace tavelin::test
