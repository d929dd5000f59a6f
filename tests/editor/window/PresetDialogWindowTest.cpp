#include "editor/EditorFixture.h"
#include "editor/EditorQueries.h"
#include "editor/Panel.h"
#include "processor/PresetsManager.h"

namespace tavelin::test
{
namespace
{
    template <typename ComponentType>
    ComponentType* findInside (juce::Component& parent)
    {
        for (auto* child : parent.getChildren())
        {
            if (auto* found = dynamic_cast<ComponentType*> (child))
                return found;

            if (auto* found = findInside<ComponentType> (*child))
                return found;
        }

        return nullptr;
    }
} // namespace

/** The editor in a window on the display, where "S" opens the framework's own save dialog (no
    zenity or kdialog is installed for the tests).
*/
class PresetDialogWindow : public EditorAtBaseScale
{
protected:
    PresetDialogWindow()
    {
        openEditor().addToDesktop (0);
        editor->setVisible (true);
    }

    static int numModalComponents() { return juce::ModalComponentManager::getInstance()->getNumModalComponents(); }
};

TEST_F (PresetDialogWindow, ClosingTheWindowClosesThePendingSaveDialogAndItsLateResultSavesNothing)
{
    const auto nameBefore = processor->getCurrentPreset().getName();
    auto* save = dynamic_cast<juce::Button*> (childAt (*editor, Tavelin::Panel::presetStrip().saveButton.getCentre()));
    ASSERT_NE (save, nullptr);
    editor->buttonClicked (save);

    ASSERT_EQ (numModalComponents(), 1);
    auto* dialog = dynamic_cast<juce::FileChooserDialogBox*> (juce::ModalComponentManager::getInstance()->getModalComponent (0));
    ASSERT_NE (dialog, nullptr);
    EXPECT_EQ (dialog->getName(), "Save Preset");
    auto* files = findInside<juce::FileBrowserComponent> (*dialog);
    ASSERT_NE (files, nullptr);
    EXPECT_EQ (files->getRoot().getFullPathName(), velk::PresetsManager::presetsFolderPath);

    // The user confirms a name, and the window closes before the answer is delivered.
    files->setFileName ("Late");
    dialog->exitModalState (1);
    closeEditor();
    EXPECT_EQ (numModalComponents(), 0);

    pumpMessages();
    EXPECT_FALSE (juce::File (velk::PresetsManager::presetsFolderPath).getChildFile ("Late.vtp").exists());
    EXPECT_EQ (processor->getCurrentPreset().getName(), nameBefore);
}
} // namespace tavelin::test
