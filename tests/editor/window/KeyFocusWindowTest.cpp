#include "editor/window/RealWindow.h"
#include "processor/ProgramChangeManager.h"

#include "UserInput.h"

#include <vector>

namespace tavelin::test
{
namespace
{
    enum class Control
    {
        cog,
        matrixButton,
        chainHeader,
        knob,
        toggleSwitch,
        browserFolder // the "MIDI" folder in the preset browser, which opens the browser first
    };

    using Clicks = std::vector<Control>; // in this order, each menu that opens dismissed

    void PrintTo (const Clicks& clicks, std::ostream* os)
    {
        for (const auto control : clicks)
            *os << (int) control << " ";
    }

    /** Sees every key that reaches the editor, from the control with the focus on up. */
    struct KeysSeen : juce::KeyListener
    {
        bool keyPressed (const juce::KeyPress& key, juce::Component*) override
        {
            lastKey = key;
            return false;
        }

        juce::KeyPress lastKey;
    };
} // namespace

/** The user's clicks and Return through the X server: the last control clicked takes no keys, so
    Return acts on nothing, whatever held the focus before that click.
*/
class KeyFocus : public RealWindow,
                 public ::testing::WithParamInterface<Clicks>
{
protected:
    KeyFocus()
    {
        velk::ProgramChangeManager::getMidiPresetsFolder().createDirectory();
        editor->addKeyListener (&keysSeen);
    }

    ~KeyFocus() override { editor->removeKeyListener (&keysSeen); }

    juce::Point<int> placeOf (Control clicked)
    {
        using namespace Tavelin::Panel;

        switch (clicked)
        {
            case Control::cog:
                return titleBar().configButton.getCentre();
            case Control::matrixButton:
                return titleBar().matrixViewButton.getCentre();
            case Control::chainHeader:
                return chainSection (0).headerLabel.getCentre();
            case Control::knob:
                return control<velk::VelkKnob> (*editor, "Pitch_Shifter_1_Mix").getBounds().withHeight (38).getCentre();
            case Control::toggleSwitch:
                return control<velk::VelkButton> (*editor, "Delay_1_PingPong").getBounds().getCentre();
            case Control::browserFolder:
                return browserFolderPlace();
        }

        return {};
    }

    juce::TreeViewItem* midiFolderEntry()
    {
        auto& root = *childrenOfType<velk::PresetSelectorComponent> (*editor).getFirst()->getFileTree().getRootItem();

        for (int i = 0; i < root.getNumSubItems(); ++i)
            if (root.getSubItem (i)->getUniqueName().endsWith (velk::ProgramChangeManager::midiPresetsFolderName))
                return root.getSubItem (i);

        return nullptr;
    }

    juce::Point<int> browserFolderPlace()
    {
        auto& browser = *childrenOfType<velk::PresetSelectorComponent> (*editor).getFirst();

        if (!browser.isVisible())
            clickAt (Tavelin::Panel::presetStrip().browserButton.getCentre());

        if (!waitUntil ([this]
                        { return midiFolderEntry() != nullptr; }))
            return {};

        auto& tree = browser.getFileTree();
        return editor->getLocalPoint (&tree, midiFolderEntry()->getItemPosition (true).getCentre());
    }

    bool midiFolderOpen()
    {
        const auto* entry = midiFolderEntry();
        return entry != nullptr && entry->isOpen();
    }

    void click (Control clicked) { clickAt (placeOf (clicked)); }

    void clickAt (juce::Point<int> at)
    {
        const auto place = editor->localPointToGlobal (at);
        user.moveTo (place.x, place.y);
        user.pressButton();
        user.releaseButton();
        waitUntil ([]
                   { return !juce::ModifierKeys::currentModifiers.isAnyMouseButtonDown(); });
        juce::PopupMenu::dismissAllActiveMenus();
        ASSERT_TRUE (waitUntil ([]
                                { return numMenusOpen() == 0; }));
    }

    /** Types Return, then a key that nothing takes, and returns once the editor has seen that one. */
    void typeReturn()
    {
        user.typeKey ("Return");
        user.typeKey ("F12");
        ASSERT_TRUE (waitUntil ([this]
                                { return keysSeen.lastKey.isKeyCode (juce::KeyPress::F12Key); }))
            << "the key went elsewhere";
        pumpMessages();
    }

    bool matrixShown() { return childrenOfType<velk::ModMatrixComponent> (*editor).getFirst()->isVisible(); }
    float value (const char* id) const { return processor->valueTreeState.getParameter (id)->getValue(); }

    UserInput user;
    KeysSeen keysSeen;
};

TEST_P (KeyFocus, ReturnAfterAClickOnAControlWithoutKeysChangesNothing)
{
    for (const auto clicked : GetParam())
        click (clicked);

    const auto matrixBefore = matrixShown();
    const auto pitchMixBefore = value ("Pitch_Shifter_1_Mix");
    const auto pingPongBefore = value ("Delay_1_PingPong");
    const auto folderOpenBefore = midiFolderOpen();

    typeReturn();

    EXPECT_EQ (numMenusOpen(), 0);
    EXPECT_EQ (matrixShown(), matrixBefore);
    EXPECT_EQ (value ("Pitch_Shifter_1_Mix"), pitchMixBefore);
    EXPECT_EQ (value ("Delay_1_PingPong"), pingPongBefore);
    EXPECT_EQ (midiFolderOpen(), folderOpenBefore);
}

INSTANTIATE_TEST_SUITE_P (Clicks, KeyFocus,
                          ::testing::Values (Clicks{ Control::cog, Control::knob },
                                             Clicks{ Control::cog, Control::toggleSwitch },
                                             Clicks{ Control::matrixButton, Control::matrixButton, Control::knob },
                                             Clicks{ Control::chainHeader, Control::toggleSwitch },
                                             Clicks{ Control::browserFolder, Control::knob }));
} // namespace tavelin::test
