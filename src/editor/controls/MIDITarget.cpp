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

bool MIDITarget::takePressForMenu (const juce::MouseEvent& e, juce::Component& control, bool learnable)
{
    const auto opensMenu = e.mods.isAltDown() && learnable;

    // The second click of a double-click whose first opened the menu would otherwise reset a
    // knob to its default on its release.
    pressIsMenus = opensMenu || (pressIsMenus && e.getNumberOfClicks() > 1);

    if (opensMenu)
        menu (control);

    return pressIsMenus;
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
