#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace velk
{
/** The MIDI-learn side of a control: the identifier of the parameter it is bound to and, after
    the user's choice in the MIDI-learn menu, a request to map that parameter to the last
    controller received or to remove its mapping. The request reaches the editor's
    CCMapperUIManager as a change message from this broadcaster.
*/
class MIDITarget : public juce::ChangeBroadcaster
{
public:
    static constexpr int assignItemId = 1;
    static constexpr int clearItemId = 2;

    MIDITarget();
    ~MIDITarget() override;

    /** Opens the MIDI-learn menu at the mouse. The menu is asynchronous, so the host's GUI
        thread never blocks in it; it closes by itself when `control` (the control that carries
        this target) is deleted, and the choice is then dropped.
    */
    void menu (juce::Component& control);

    /** Records the menu's choice (assignItemId, clearItemId, or 0 when dismissed) and, for a
        request, tells the listeners.
    */
    void handleMenuResult (int result);

    juce::String parameterID;
    bool assignRequested = false;
    bool clearRequested = false;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDITarget)
};
} // namespace velk
