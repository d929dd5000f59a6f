#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "platform/UserFileLocations.h"
#include "processor/PresetsManager.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
/** The config button's menu and the editor's dialogs in a real window, the menu driven by a
    click and the keys, the dialogs (the framework's own, as no dialog program is installed) by
    their file name box.
*/
class MainMenuWindow : public EditorAtBaseScale
{
protected:
    MainMenuWindow()
    {
        documents.createDirectory();
        setPlainValue (*processor, "Delay_1_Mix", 40.0f);
        showEditor();
    }

    ~MainMenuWindow() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        juce::ModifierKeys::currentModifiers = {};
    }

    void showEditor()
    {
        openEditor().addToDesktop (0);
        editor->setVisible (true);
    }

    static int numModal() { return juce::ModalComponentManager::getInstance()->getNumModalComponents(); }

    void clickConfigButton()
    {
        const auto centre = Tavelin::Panel::titleBar().configButton.getCentre().toFloat();

        for (const int buttons : { (int) juce::ModifierKeys::leftButtonModifier, 0 })
        {
            juce::ModifierKeys::currentModifiers = juce::ModifierKeys (buttons);
            editor->getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, centre, juce::ModifierKeys (buttons),
                                                 juce::MouseInputSource::defaultPressure, 0.0f, juce::Time::currentTimeMillis());
        }
    }

    /** Steps down the open menu to its item at this position, and presses return to choose it. */
    static void highlightByKeys (int position, bool choose = true)
    {
        for (int step = 0; step <= position; ++step)
            juce::Component::getCurrentlyModalComponent()->keyPressed (juce::KeyPress (juce::KeyPress::downKey));

        if (choose)
            juce::Component::getCurrentlyModalComponent()->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    }

    /** The file list of the open dialog with this title. */
    static juce::FileBrowserComponent& dialogFiles (const juce::String& title)
    {
        auto* dialog = dynamic_cast<juce::FileChooserDialogBox*> (juce::Component::getCurrentlyModalComponent());

        if (dialog == nullptr || dialog->getName() != title)
            throw std::runtime_error ("no dialog " + title.toStdString());

        return *descendantOfType<juce::FileBrowserComponent> (*dialog);
    }

    /** The name typed into the open dialog and accepted. */
    static void acceptDialog (const juce::String& title, const juce::String& fileName)
    {
        dialogFiles (title).setFileName (fileName);
        juce::Component::getCurrentlyModalComponent()->exitModalState (1);
    }

    float mix() const { return processor->valueTreeState.getParameter ("Delay_1_Mix")->getValue(); }

    static constexpr int initializePosition = 3;
    const juce::File documents = velk::UserFileLocations::getDocumentsFolder();
};

TEST_F (MainMenuWindow, TheConfigButtonOpensTheMenuAndTheChosenItemActs)
{
    clickConfigButton();
    ASSERT_EQ (numModal(), 1);

    highlightByKeys (initializePosition);
    EXPECT_TRUE (waitUntil ([this]
                            { return mix() == 0.0f; }));
}

TEST_F (MainMenuWindow, ClosingTheWindowDismissesTheOpenMenuAndDropsAChoiceOnItsWay)
{
    for (const auto chosen : { false, true })
    {
        clickConfigButton();
        ASSERT_EQ (numModal(), 1);
        highlightByKeys (initializePosition, chosen);

        closeEditor();
        pumpMessages();
        EXPECT_EQ (numModal(), 0);
        EXPECT_NE (mix(), 0.0f);
        showEditor();
    }
}

//==============================================================================
/** The editor's dialogs, which open in the window only where no dialog program is installed. */
class EditorDialogsWindow : public MainMenuWindow
{
protected:
    void SetUp() override
    {
        if (juce::FileChooser::isPlatformDialogAvailable())
            GTEST_SKIP() << "a dialog program is installed, and tests start none";
    }
};

TEST_F (EditorDialogsWindow, MapDialogsOpenInDocumentsWithTheirTitlesAndActOnTheChosenFile)
{
    processor->ccMapper.assignController ("Delay_1_Time", 20);
    editor->getMainMenu().itemChosen (velk::MainMenu::saveMidiMapId);
    auto& files = dialogFiles ("SAVE MIDI MAP");
    EXPECT_TRUE (files.isSaveMode());
    EXPECT_EQ (files.getRoot(), documents);
    EXPECT_TRUE (files.isFileSuitable (documents.getChildFile ("a.vtcc")));
    EXPECT_FALSE (files.isFileSuitable (documents.getChildFile ("a.vtp")));
    acceptDialog ("SAVE MIDI MAP", "studio");
    ASSERT_TRUE (waitUntil ([this]
                            { return documents.getChildFile ("studio.vtcc").existsAsFile(); }));

    processor->ccMapper.clearMap();
    editor->getMainMenu().itemChosen (velk::MainMenu::loadMidiMapId);
    EXPECT_FALSE (dialogFiles ("LOAD MIDI MAP").isSaveMode());
    acceptDialog ("LOAD MIDI MAP", "studio.vtcc");
    EXPECT_TRUE (waitUntil ([this]
                            { return processor->ccMapper.getMap().getNumChildren() == 1; }));
}

TEST_F (EditorDialogsWindow, ClosingTheWindowDropsTheLateChoiceOfAMapDialog)
{
    documents.getChildFile ("late.vtcc").replaceWithText (R"(<Tavelin_MIDI_MAP><Dry_Wet cc="5"/></Tavelin_MIDI_MAP>)");
    editor->getMainMenu().itemChosen (velk::MainMenu::loadMidiMapId);
    acceptDialog ("LOAD MIDI MAP", "late.vtcc");

    closeEditor();
    pumpMessages();
    EXPECT_EQ (processor->ccMapper.getMap().getNumChildren(), 0);
}

TEST_F (EditorDialogsWindow, TheSaveButtonsDialogStartsInThePresetsFolderSavesTheChosenNameAndDropsALateOne)
{
    const auto presets = juce::File (velk::PresetsManager::presetsFolderPath);
    auto* save = dynamic_cast<juce::Button*> (childAt (*editor, Tavelin::Panel::presetStrip().saveButton.getCentre()));
    editor->buttonClicked (save);
    EXPECT_EQ (dialogFiles ("Save Preset").getRoot(), presets);
    acceptDialog ("Save Preset", "Mine");
    ASSERT_TRUE (waitUntil ([&]
                            { return presets.getChildFile ("Mine.vtp").existsAsFile(); }));

    editor->buttonClicked (save);
    acceptDialog ("Save Preset", "Late");
    closeEditor();
    pumpMessages();
    EXPECT_FALSE (presets.getChildFile ("Late.vtp").exists());
    EXPECT_EQ (processor->getCurrentPreset().getName(), "Mine");
}

//==============================================================================
struct MapDialogCase
{
    int menuItem;
    const char* title;
};

class MapDialogWithoutDocuments : public EditorDialogsWindow,
                                  public ::testing::WithParamInterface<MapDialogCase>
{
};

TEST_P (MapDialogWithoutDocuments, OpensInTheHomeFolderWithNoNameTypedIn)
{
    documents.deleteRecursively();
    editor->getMainMenu().itemChosen (GetParam().menuItem);

    auto& files = dialogFiles (GetParam().title);
    EXPECT_EQ (files.getRoot(), juce::File::getSpecialLocation (juce::File::userHomeDirectory));
    EXPECT_EQ (descendantOfType<juce::TextEditor> (files)->getText(), "");
}

INSTANTIATE_TEST_SUITE_P (MapDialogs, MapDialogWithoutDocuments,
                          ::testing::Values (MapDialogCase{ velk::MainMenu::saveMidiMapId, "SAVE MIDI MAP" },
                                             MapDialogCase{ velk::MainMenu::loadMidiMapId, "LOAD MIDI MAP" }));
} // namespace tavelin::test
