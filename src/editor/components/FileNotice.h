#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace velk
{
/** What the editor tells the user about their files, in a box over a shade that takes every
    click meant for the controls below while it is shown: the question a save asks before it
    replaces a file that the user did not pick as such ("REPLACE", "CANCEL"), or why a save or a
    load the user asked for failed ("OK"). Hidden until needed; nothing waits for the answer.
*/
class FileNotice : public juce::Component
{
public:
    FileNotice();

    /** Saves to the chosen file, the extension added when its name lacks it. When the
        extension makes it the name of an existing file, which the dialog did not show the user,
        the save waits for the question's "REPLACE"; "CANCEL" writes nothing.
    */
    void saveWithExtension (const juce::File& chosen, const juce::String& extension,
                            std::function<void (const juce::File&)> save);

    /** Shows that something could not be done with the file, e.g. "save the preset", and the
        failure's reason in plain words. Drops a question still waiting for its answer.
    */
    void showFailure (const juce::String& whatFailed, const juce::File& file, const juce::Result& failure);

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    //==============================================================================
    /** Shows the text as a question when there is an action to replace a file, which only
        "REPLACE" runs, else as a message. Showing anything else drops the action, and so does
        deleting this.
    */
    void show (const juce::String& text, std::function<void()> onReplace);
    void answer (bool replace);
    juce::Rectangle<int> boxArea() const;

    //==============================================================================
    juce::Label message;
    std::unique_ptr<juce::TextButton> replaceButton, cancelButton, okButton;
    std::function<void()> replaceAction;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FileNotice)
};
} // namespace velk
