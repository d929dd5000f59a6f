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

    /** For a control's mouseDown: an Alt-press on a `learnable` control opens the menu and
        is the menu's to its end. The menu does not wait inside the press, so the press's drag,
        release and double-click still come to the control afterwards (even after the menu has
        closed, as it does when the host takes the focus away); the control hands them on only
        while pressBelongsToMenu() is false. Returns whether this press is the menu's.
    */
    bool takePressForMenu (const juce::MouseEvent&, juce::Component& control, bool learnable);

    /** Whether the current (or last) press opened the menu, or is a later click of a
        multi-click whose first click did.
    */
    bool pressBelongsToMenu() const noexcept { return pressIsMenus; }

    /** Records the menu's choice (assignItemId, clearItemId, or 0 when dismissed) and, for a
        request, tells the listeners.
    */
    void handleMenuResult (int result);

    juce::String parameterID;
    bool assignRequested = false;
    bool clearRequested = false;

private:
    bool pressIsMenus = false;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MIDITarget)
};
} // namespace velk
