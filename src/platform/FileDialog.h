#pragma once

#include "platform/ChildProgram.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace velk
{
/** One file dialog: the desktop's own (DialogProgram) when PATH has one, else the framework's
    dialog in a window of its own. It opens in the folder it is given, or in the home folder when
    that does not exist, with no name typed in.

    Unlike the framework's native dialogs it leaves the host's process as it was: the working
    directory is never changed, and the dialog program is a ChildProgram, which takes none of the
    host's descriptors or signal handling and is waited for when it ends or when this object
    closes it. Deleting it closes the dialog and drops its result. Message thread only.
*/
class FileDialog : private juce::Timer
{
public:
    using Action = std::function<void (const juce::File&)>;

    /** Opens the dialog (flags as juce::FileBrowserComponent's). The action gets the chosen file
        on the message thread; a cancelled dialog calls nothing.
    */
    FileDialog (const juce::String& title, const juce::File& folder, const juce::String& filePattern,
                int flags, Action onChosen);

private:
    //==============================================================================
    bool startProgram (const juce::StringArray& command);
    void launchFrameworkDialog (const juce::String& title, const juce::String& filePattern, int flags);
    void timerCallback() override;

    //==============================================================================
    const juce::File startFolder;
    const Action action;
    ChildProgram program;
    std::unique_ptr<juce::FileChooser> frameworkDialog;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileDialog)
};
} // namespace velk
