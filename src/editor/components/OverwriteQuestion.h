#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace velk
{
/** The question a save asks before it replaces a file that the user did not pick as such: a box
    with the file's name, "REPLACE" and "CANCEL" on a shade that takes every click meant for the
    controls below while it is shown. Hidden until asked.
*/
class OverwriteQuestion : public juce::Component
{
public:
    OverwriteQuestion();

    /** Shows the question about this file name. "REPLACE" hides it and calls onReplace, "CANCEL"
        only hides it. Asking again drops the earlier question's action; so does deleting this.
    */
    void ask (const juce::String& fileName, std::function<void()> onReplace);

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    //==============================================================================
    void answer (bool replace);
    juce::Rectangle<int> boxArea() const;

    //==============================================================================
    juce::Label message;
    std::unique_ptr<juce::TextButton> replaceButton, cancelButton;
    std::function<void()> replaceAction;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OverwriteQuestion)
};
} // namespace velk
