#include "editor/PresetFolderFixture.h"

namespace tavelin::test
{
using EditorPresetSave = PresetFolderFixture;
using EditorPresetBrowser = PresetFolderFixture;

//==============================================================================
TEST_F (EditorPresetSave, TheTypedNameGetsThePresetExtensionUnlessItHasItInAnyCase)
{
    openEditor();

    for (const auto& [typed, written] : { std::pair{ "name", "name.vtp" }, { "x.txt", "x.vtp" }, { "X.VTP", "X.VTP" } })
    {
        editor->savePresetAs (presetsFolder().getChildFile (typed));
        const auto file = presetsFolder().getChildFile (written);
        EXPECT_TRUE (file.existsAsFile()) << typed;
        EXPECT_EQ (currentName(), file.getFileNameWithoutExtension());
        EXPECT_EQ (currentPath(), file.getFullPathName());
    }

    EXPECT_EQ (presetsFolder().findChildFiles (juce::File::findFiles, false).size(), 3) << "none under a typed name";
}

TEST_F (EditorPresetSave, TheSavedFileIsSelectedLaterAndItsLoadLetsTheEchoRingWhileTheNextPickCutsIt)
{
    prepareEcho();
    openEditor();
    StateLoadCounter counter (processor->valueTreeState.state);
    const auto saved = presetsFolder().getChildFile ("Echo.vtp");

    sendImpulse();
    auto paused = pauseScans();
    editor->savePresetAs (saved);
    editor->selectionChanged(); // as the tree reports a deselection meanwhile: no pick
    EXPECT_EQ (counter.loads, 0) << "the tree selects what its scan has listed";
    paused.resume();
    ASSERT_TRUE (waitUntil ([&]
                            { return counter.loads == 1; }));
    EXPECT_GT (echoPeak(), 0.1f) << "the state just saved loads without clearing the delay";

    sendImpulse();
    browser().getFileTree().clearSelectedItems();
    ASSERT_TRUE (select (saved));
    EXPECT_EQ (counter.loads, 2);
    EXPECT_LT (echoPeak(), 1.0e-3f) << "a pick of the same file later is a load like any other";
}

TEST_F (EditorPresetSave, SavingIntoTheMidiFolderReachesProgramChangesAtOnce)
{
    openEditor().savePresetAs (presetsFolder().getChildFile ("Elsewhere"));
    EXPECT_TRUE (processor->getProgramChangeRequest().midiPresetFileNames.isEmpty());

    editor->savePresetAs (midiFolder().getChildFile ("Low 2"));
    editor->savePresetAs (midiFolder().getChildFile ("Low 10"));
    EXPECT_EQ (processor->getProgramChangeRequest().midiPresetFileNames, juce::StringArray ({ "Low 2.vtp", "Low 10.vtp" }));
}

TEST_F (EditorPresetSave, AFailedSaveChangesNeitherNameNorPathNorTheSkippedCleanUpNorTheProgramList)
{
    prepareEcho();
    openEditor();
    StateLoadCounter counter (processor->valueTreeState.state);
    const auto saved = presetsFolder().getChildFile ("Kept.vtp");
    auto paused = pauseScans();
    editor->savePresetAs (saved); // its selection waits for the scan

    writePreset (midiFolder().getChildFile ("Unlisted.vtp"), 50.0f);
    const auto programList = processor->getProgramChangeRequest().midiPresetFileNames;
    // A folder where the file should go: no file system and no user lets that be written.
    const auto folderInTheWay = midiFolder().getChildFile ("Taken.vtp");
    ASSERT_TRUE (folderInTheWay.createDirectory().wasOk());

    sendImpulse();
    editor->savePresetAs (folderInTheWay);

    EXPECT_TRUE (folderInTheWay.isDirectory());
    EXPECT_EQ (currentName(), "Kept");
    EXPECT_EQ (currentPath(), saved.getFullPathName());
    EXPECT_EQ (processor->getProgramChangeRequest().midiPresetFileNames, programList);
    EXPECT_EQ (counter.loads, 0);
    paused.resume();
    ASSERT_TRUE (waitUntil ([&]
                            { return counter.loads == 1; }));
    EXPECT_GT (echoPeak(), 0.1f) << "the earlier save still keeps its selection from cutting the sound";
}

//==============================================================================
TEST_F (EditorPresetBrowser, ListsPresetNamesInNaturalOrderWithoutCase)
{
    for (const auto* name : { "b.vtp", "A.vtp", "a 10.vtp", "a 9.vtp", "notes.txt", "sub/c.vtp" })
        writePreset (presetsFolder().getChildFile (name), 10.0f);

    EXPECT_EQ (TavelinAudioProcessorEditor::generate_presets_list (presetsFolder()), juce::StringArray ({ "A", "a 9", "a 10", "b" }));
    EXPECT_TRUE (TavelinAudioProcessorEditor::generate_presets_list (presetsFolder().getChildFile ("none")).isEmpty());
}

TEST_F (EditorPresetBrowser, TheNameTogglesTheBrowserAndItsCloseButtonHidesIt)
{
    openEditor();
    EXPECT_FALSE (browser().isVisible());
    EXPECT_EQ (browser().getBounds(), Tavelin::Panel::overlays().presetSelector);

    click (Tavelin::Panel::presetStrip().browserButton);
    EXPECT_TRUE (browser().isVisible());
    click (Tavelin::Panel::presetStrip().browserButton);
    EXPECT_FALSE (browser().isVisible());

    click (Tavelin::Panel::presetStrip().browserButton);
    auto* close = dynamic_cast<juce::Button*> (browser().getComponentAt (browser().getWidth() - 10, 10));
    ASSERT_NE (close, nullptr);
    close->triggerClick();
    ASSERT_TRUE (waitUntil ([this]
                            { return !browser().isVisible(); }));
}

TEST_F (EditorPresetBrowser, APickLoadsCleansAndNamesThePresetWhileAFolderOrNoSelectionChangesNothing)
{
    // The same echo, told apart by a macro that moves nothing.
    prepareEcho();
    setPlainValue (*processor, "Macro_1_Offset", 42.0f);
    const auto preset = presetsFolder().getChildFile ("Picked.vtp");
    ASSERT_TRUE (velk::PresetsManager::savePreset (copyState(), preset).wasOk());
    setPlainValue (*processor, "Macro_1_Offset", 0.0f);
    openEditor();
    StateLoadCounter counter (processor->valueTreeState.state);
    ASSERT_TRUE (select (midiFolder()));
    browser().getFileTree().clearSelectedItems();
    EXPECT_EQ (counter.loads, 0);
    EXPECT_EQ (currentName(), "INIT");
    EXPECT_EQ (currentPath(), "");

    sendImpulse();
    ASSERT_TRUE (select (preset));
    EXPECT_EQ (counter.loads, 1);
    EXPECT_EQ (plain ("Macro_1_Offset"), 42.0f);
    EXPECT_EQ (currentName(), "Picked");
    EXPECT_EQ (currentPath(), preset.getFullPathName());
    EXPECT_LT (echoPeak(), 1.0e-3f);
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
    EXPECT_EQ (currentName(), "INIT");
}
} // namespace tavelin::test
