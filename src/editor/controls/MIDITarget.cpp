#include "editor/controls/MIDITarget.h"

namespace velk
{
MIDITarget::MIDITarget() = default;
MIDITarget::~MIDITarget() = default;

void MIDITarget::menu (juce::Component& control)
{
    juce::PopupMenu learnMenu;
    learnMenu.addItem (assignItemId, "ASSIGN TO LAST CC");
    learnMenu.addItem (clearItemId, "CLEAR CC MAPPING");

    learnMenu.showMenuAsync (juce::PopupMenu::Options().withMousePosition().withDeletionCheck (control),
                             [this, safeControl = juce::Component::SafePointer<juce::Component> (&control)] (int result)
                             {
        if (safeControl != nullptr)
            handleMenuResult (result);
    });
}

void MIDITarget::handleMenuResult (int result)
{
    if (result == assignItemId)
        assignRequested = true;
    else if (result == clearItemId)
        clearRequested = true;
    else
        return;

    sendChangeMessage();
}
} // namespace velk
