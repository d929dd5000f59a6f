#include "editor/PresetFolderFixture.h"

namespace tavelin::test
{
/** The echo ringing and the editor open. */
class EditorPresetSave : public PresetFolderFixture
{
protected:
    EditorPresetSave()
    {
        prepareEcho();
        openEditor();
    }
};

using EditorPresetBrowser = PresetFolderFixture;

//==============================================================================
TEST_F (EditorPresetSave, TheTypedNameGetsThePresetExtensionUnlessItHasItInAnyCase)
{
    for (const auto& [typed, written] : { std::pair{ "name", "name.vtp" }, { "x.txt", "x.vtp" }, { "X.VTP", "X.VTP" } })
    {
        editor->savePresetAs (presetsFolder().getChildFile (typed));
        EXPECT_TRUE (presetsFolder().getChildFile (written).existsAsFile()) << typed;
        EXPECT_EQ (current(), presetOf (presetsFolder().getChildFile (written)));
    }

    EXPECT_EQ (presetsFolder().findChildFiles (juce::File::findFiles, false).size(), 3) << "none under a typed name";
}

TEST_F (EditorPresetSave, TheSavedFileIsSelectedLaterAndItsLoadLetsTheEchoRingWhileTheNextPickCutsIt)
{
    const auto saved = presetsFolder().getChildFile ("Echo.vtp");
    sendImpulse();
    editor->savePresetAs (saved);
    editor->selectionChanged(); // as the tree reports a deselection meanwhile: no pick
    EXPECT_EQ (loads, 0) << "the tree selects what its scan has listed";
    ASSERT_TRUE (waitUntil ([this]
                            { return loads == 1; }));
    EXPECT_GT (echoPeak(), 0.1f) << "the state just saved loads without clearing the delay";

    sendImpulse();
    browser().getFileTree().clearSelectedItems();
    ASSERT_TRUE (select (saved));
    EXPECT_EQ (loads, 2);
    EXPECT_LT (echoPeak(), 1.0e-3f) << "a pick of the same file later is a load like any other";
}

TEST_F (EditorPresetSave, AFailedSaveChangesNeitherNameNorPathNorTheSkippedCleanUpNorTheProgramList)
{
    const auto saved = presetsFolder().getChildFile ("Kept.vtp");
    editor->savePresetAs (saved); // its selection waits for the scan and the message loop
    writePresets ({ "MIDI/Unlisted.vtp" });
    // A folder where the file should go: no file system and no user lets that be written.
    ASSERT_TRUE (midiFolder().getChildFile ("Taken.vtp").createDirectory().wasOk());

    sendImpulse();
    editor->savePresetAs (midiFolder().getChildFile ("Taken.vtp"));
    EXPECT_EQ (current(), presetOf (saved));
    EXPECT_TRUE (processor->getProgramChangeRequest().midiPresetFileNames.isEmpty()) << "Unlisted stays unlisted";
    ASSERT_TRUE (waitUntil ([this]
                            { return loads == 1; }));
    EXPECT_GT (echoPeak(), 0.1f) << "the earlier save still keeps its selection from cutting the sound";
}

TEST_F (EditorPresetSave, SavingIntoTheMidiFolderReachesProgramChangesAtOnce)
{
    editor->savePresetAs (presetsFolder().getChildFile ("Elsewhere"));
    EXPECT_TRUE (processor->getProgramChangeRequest().midiPresetFileNames.isEmpty());

    editor->savePresetAs (midiFolder().getChildFile ("Low 2"));
    editor->savePresetAs (midiFolder().getChildFile ("Low 10"));
    EXPECT_EQ (processor->getProgramChangeRequest().midiPresetFileNames, juce::StringArray ({ "Low 2.vtp", "Low 10.vtp" }));
}

//==============================================================================
enum class Answer
{
    cancel,
    replace,
    closeTheEditor
};

struct OverwriteCase
{
    const char* typed;    // in the preset folder, as the dialog returns it
    const char* existing; // what the extension makes of it
    Answer answer;
    bool isMap = false; // saved by the main menu's MIDI MAP > SAVE, not by "S"
};

void PrintTo (const OverwriteCase& row, std::ostream* os)
{
    *os << row.typed << " -> " << (int) row.answer;
}

/** A name typed without the extension that names an existing preset or map once it has it: the
    dialog asked nothing, as the typed name was free.
*/
class EditorPresetOverwrite : public EditorPresetSave,
                              public ::testing::WithParamInterface<OverwriteCase>
{
protected:
    void save (const juce::File& file)
    {
        if (GetParam().isMap)
            editor->getMainMenu().saveMidiMapAs (file);
        else
            editor->savePresetAs (file);
    }

    void answer (Answer given)
    {
        if (given == Answer::closeTheEditor)
        {
            closeEditor();
        }
        else
        {
            auto* button = noticeButton (given == Answer::replace ? "REPLACE" : "CANCEL");
            ASSERT_NE (button, nullptr);
            button->triggerClick();
        }

        pumpMessages();
    }
};

TEST_P (EditorPresetOverwrite, IsAskedAboutAndOnlyReplaceWritesIt)
{
    const auto existing = writePreset (presetsFolder().getChildFile (GetParam().existing), 333.0f);
    const auto before = bytesOf (existing);
    const auto currentBefore = current();
    const auto currentAfter = GetParam().isMap ? currentBefore : presetOf (existing);

    save (presetsFolder().getChildFile (GetParam().typed));
    ASSERT_NE (noticeButton ("REPLACE"), nullptr) << "no question";
    ASSERT_NE (noticeButton ("CANCEL"), nullptr);
    EXPECT_EQ (noticeButton ("OK"), nullptr);
    EXPECT_EQ (bytesOf (existing), before) << "written before the answer";

    answer (GetParam().answer);
    const auto replaced = GetParam().answer == Answer::replace;
    EXPECT_EQ (bytesOf (existing) == before, !replaced);
    EXPECT_EQ (current(), replaced ? currentAfter : currentBefore);
    EXPECT_EQ (existing.getParentDirectory().getNumberOfChildFiles (juce::File::findFiles), 1) << "nothing under another name";

    if (editor == nullptr)
        return;

    EXPECT_EQ (noticeButton ("REPLACE"), nullptr) << "the question stays up";

    // The dialog asks itself about a name typed with the extension.
    save (existing);
    EXPECT_EQ (noticeButton ("REPLACE"), nullptr) << "asked twice";
    EXPECT_NE (bytesOf (existing), before);
    EXPECT_EQ (current(), currentAfter);
}

INSTANTIATE_TEST_SUITE_P (Answers, EditorPresetOverwrite,
                          ::testing::Values (OverwriteCase{ "Bass", "Bass.vtp", Answer::cancel },
                                             OverwriteCase{ "Bass", "Bass.vtp", Answer::replace },
                                             OverwriteCase{ "Bass", "Bass.vtp", Answer::closeTheEditor },
                                             OverwriteCase{ "Bass.txt", "Bass.vtp", Answer::cancel },
                                             OverwriteCase{ "MIDI/Low 2", "MIDI/Low 2.vtp", Answer::replace },
                                             OverwriteCase{ "mymap", "mymap.vtcc", Answer::cancel, true },
                                             OverwriteCase{ "mymap", "mymap.vtcc", Answer::replace, true },
                                             OverwriteCase{ "mymap", "mymap.vtcc", Answer::closeTheEditor, true }));

//==============================================================================
TEST_F (EditorPresetBrowser, ListsPresetNamesInNaturalOrderWithoutCase)
{
    writePresets ({ "b.vtp", "A.vtp", "a 10.vtp", "a 9.vtp", "notes.txt", "sub/c.vtp" });
    EXPECT_EQ (TavelinAudioProcessorEditor::generate_presets_list (presetsFolder()), juce::StringArray ({ "A", "a 9", "a 10", "b" }));
    EXPECT_TRUE (TavelinAudioProcessorEditor::generate_presets_list (presetsFolder().getChildFile ("none")).isEmpty());
}

TEST_F (EditorPresetBrowser, TheNameTogglesTheBrowserAndItsCloseButtonHidesIt)
{
    openEditor();
    EXPECT_EQ (browser().getBounds(), Tavelin::Panel::overlays().presetSelector);

    for (const auto shown : { true, false, true })
    {
        click (Tavelin::Panel::presetStrip().browserButton);
        EXPECT_EQ (browser().isVisible(), shown);
    }

    auto* close = dynamic_cast<juce::Button*> (browser().getComponentAt (browser().getWidth() - 10, 10));
    ASSERT_NE (close, nullptr);
    close->triggerClick();
    EXPECT_TRUE (waitUntil ([this]
                            { return !browser().isVisible(); }));
}

TEST_F (EditorPresetBrowser, ClosingTheEditorWhileTheFolderIsScannedStopsTheScanFirst)
{
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE (presetsFolder().getChildFile ("p " + juce::String (i) + ".vtp").create().wasOk());

    openEditor();
    browser().refreshAndSelect (presetsFolder().getChildFile ("p 2999.vtp"));
    ASSERT_TRUE (browser().getDirectoryList().isStillLoading());

    closeEditor();
    pumpMessages();
    EXPECT_EQ (current(), "INIT @ ");
}
} // namespace tavelin::test
