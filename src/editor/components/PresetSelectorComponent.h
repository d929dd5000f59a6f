#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace velk
{
/** The preset browser: the preset folder as a file tree on a dark, framed panel with a close
    button. The folder is scanned on the panel's own thread "files"; the tree shows what the
    scan has found so far and tells its listeners what the user picks.
*/
class PresetSelectorComponent : public juce::Component,
                                public juce::Button::Listener,
                                private juce::ChangeListener,
                                private juce::AsyncUpdater
{
public:
    /** Starts scanning the preset folder at once; a missing folder shows an empty tree. */
    PresetSelectorComponent();
    ~PresetSelectorComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** The close button hides the panel. */
    void buttonClicked (juce::Button*) override;

    /** Rescans the folder and selects the file once the tree shows the new listing, which is
        after this call returns. A file that the folder's listing does not hold is not selected.
    */
    void refreshAndSelect (const juce::File& file);

    juce::FileTreeComponent& getFileTree() noexcept { return *fileTree; }
    const juce::DirectoryContentsList& getDirectoryList() const noexcept { return *directoryList; }

private:
    //==============================================================================
    void changeListenerCallback (juce::ChangeBroadcaster*) override;
    void handleAsyncUpdate() override;

    //==============================================================================
    // Declared in the order they depend on each other: the tree goes before the list it shows,
    // and the list before the thread it scans on.
    juce::TimeSliceThread directoryScanThread{ "files" };
    std::unique_ptr<juce::DirectoryContentsList> directoryList;
    std::unique_ptr<juce::FileTreeComponent> fileTree;
    std::unique_ptr<juce::TextButton> closeButton;
    juce::File fileToSelect;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetSelectorComponent)
};
} // namespace velk
