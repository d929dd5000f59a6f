#include "editor/EditorFixture.h"
#include "platform/UserFileLocations.h"
#include "support/BusyEditorState.h"

namespace tavelin::test
{
namespace
{
    juce::Component* topModal()
    {
        return juce::Component::getCurrentlyModalComponent();
    }

    int numModal()
    {
        return juce::ModalComponentManager::getInstance()->getNumModalComponents();
    }

    template <typename Type>
    Type* findInside (juce::Component& parent)
    {
        for (auto* child : parent.getChildren())
        {
            if (auto* found = dynamic_cast<Type*> (child))
                return found;

            if (auto* found = findInside<Type> (*child))
                return found;
        }

        return nullptr;
    }
} // namespace

/** The config button's menu and the map dialogs in a real window, the menu driven by a click
    and the keys, the dialogs (the framework's own, as no dialog program is installed) by their
    file name box.
*/
class MainMenuWindow : public EditorFixture
{
protected:
    MainMenuWindow()
    {
        documents.createDirectory();
        setPlainValue (*processor, "Delay_1_Mix", 40.0f);
        showEditor();
    }

    void showEditor()
    {
        openEditor().addToDesktop (0);
        editor->setVisible (true);
    }

    ~MainMenuWindow() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        juce::ModifierKeys::currentModifiers = {};
    }

    void clickConfigButton()
    {
        for (auto* child : editor->getChildren())
        {
            if (child->getName() != "config")
                continue;

            const auto centre = child->getBounds().getCentre().toFloat();

            for (const int buttons : { (int) juce::ModifierKeys::leftButtonModifier, 0 })
            {
                juce::ModifierKeys::currentModifiers = juce::ModifierKeys (buttons);
                editor->getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, centre,
                                                     juce::ModifierKeys (buttons), juce::MouseInputSource::defaultPressure,
                                                     0.0f, juce::Time::currentTimeMillis());
            }
        }
    }

    /** Steps down the open menu to its item at this position, and presses return to choose it. */
    static void highlightByKeys (int position, bool choose = true)
    {
        auto* menu = topModal();

        for (int step = 0; step <= position; ++step)
            menu->keyPressed (juce::KeyPress (juce::KeyPress::downKey));

        if (choose)
            menu->keyPressed (juce::KeyPress (juce::KeyPress::returnKey));
    }

    /** The map dialog that the item opens, with the file name typed into it and accepted. */
    static void acceptDialog (const juce::String& title, const juce::String& fileName)
    {
        auto* dialog = dynamic_cast<juce::FileChooserDialogBox*> (topModal());
        ASSERT_NE (dialog, nullptr);
        EXPECT_EQ (dialog->getName(), title);
        findInside<juce::FileBrowserComponent> (*dialog)->setFileName (fileName);
        dialog->exitModalState (1);
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

TEST_F (MainMenuWindow, MapDialogsOpenInDocumentsWithTheirTitlesAndActOnTheChosenFile)
{
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "a dialog program is installed, and tests start none";

    processor->ccMapper.assignController ("Delay_1_Time", 20);
    editor->getMainMenu().itemChosen (velk::MainMenu::saveMidiMapId);
    auto* browser = findInside<juce::FileBrowserComponent> (*topModal());
    EXPECT_TRUE (browser->isSaveMode());
    EXPECT_EQ (browser->getRoot(), documents);
    EXPECT_TRUE (browser->isFileSuitable (documents.getChildFile ("a.vtcc")));
    EXPECT_FALSE (browser->isFileSuitable (documents.getChildFile ("a.vtp")));
    acceptDialog ("SAVE MIDI MAP", "studio");
    ASSERT_TRUE (waitUntil ([this]
                            { return documents.getChildFile ("studio").existsAsFile(); }));

    processor->ccMapper.clearMap();
    editor->getMainMenu().itemChosen (velk::MainMenu::loadMidiMapId);
    EXPECT_FALSE (findInside<juce::FileBrowserComponent> (*topModal())->isSaveMode());
    acceptDialog ("LOAD MIDI MAP", "studio");
    EXPECT_TRUE (waitUntil ([this]
                            { return processor->ccMapper.getMap().getNumChildren() == 1; }));
}

TEST_F (MainMenuWindow, ClosingTheWindowClosesAnOpenMapDialogAndDropsItsChoice)
{
    if (juce::FileChooser::isPlatformDialogAvailable())
        GTEST_SKIP() << "a dialog program is installed, and tests start none";

    documents.getChildFile ("late.vtcc").replaceWithText (R"(<Tavelin_MIDI_MAP><Dry_Wet cc="5"/></Tavelin_MIDI_MAP>)");
    editor->getMainMenu().itemChosen (velk::MainMenu::loadMidiMapId);
    acceptDialog ("LOAD MIDI MAP", "late.vtcc");

    closeEditor();
    pumpMessages();
    EXPECT_EQ (numModal(), 0);
    EXPECT_EQ (processor->ccMapper.getMap().getNumChildren(), 0);
}
} // namespace tavelin::test
