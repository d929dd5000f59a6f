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
                                public juce::Button::Listener
{
public:
    /** Starts scanning the preset folder at once; a missing folder shows an empty tree. */
    PresetSelectorComponent();
    ~PresetSelectorComponent() override;

    void paint (juce::Graphics&) override;
    void resized() override;

    /** The close button hides the panel. */
    void buttonClicked (juce::Button*) override;

    /** Rescans the folder and selects the file once the scan has listed it, which is after this
        call returns (the tree waits for a scan under way). A file outside the folder is never
        selected.
    */
    void refreshAndSelect (const juce::File& file);

    juce::FileTreeComponent& getFileTree() noexcept { return *fileTree; }
    const juce::DirectoryContentsList& getDirectoryList() const noexcept { return *directoryList; }

private:
    //==============================================================================
    // Declared in the order they depend on each other: the tree goes before the list it shows,
    // and the list before the thread it scans on.
    juce::TimeSliceThread directoryScanThread{ "files" };
    std::unique_ptr<juce::DirectoryContentsList> directoryList;
    std::unique_ptr<juce::FileTreeComponent> fileTree;
    std::unique_ptr<juce::TextButton> closeButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetSelectorComponent)
};
} // namespace velk
