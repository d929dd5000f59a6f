#include "editor/controls/CCMapperUIManager.h"

#include "editor/controls/MIDITarget.h"

#include <utility>

namespace velk
{
CCMapperUIManager::CCMapperUIManager (CCMapper& mapper)
    : ccMapper (&mapper)
{
}

CCMapperUIManager::~CCMapperUIManager() = default;

void CCMapperUIManager::changeListenerCallback (juce::ChangeBroadcaster* source)
{
    auto* target = dynamic_cast<MIDITarget*> (source);

    if (target == nullptr)
        return;

    const auto assignWanted = std::exchange (target->assignRequested, false);

    if (assignWanted)
    {
        assign (target->parameterID);
        return;
    }

    if (std::exchange (target->clearRequested, false))
        clear (target->parameterID);
}

void CCMapperUIManager::assign (const juce::Identifier& parameter)
{
    // Before any controller has arrived there is nothing to assign, and the control's mapping,
    // if it has one, stays.
    if (const auto controller = ccMapper->lastReceivedCC.load(); controller >= 0)
        ccMapper->assignController (parameter.toString(), controller);
}

void CCMapperUIManager::clear (const juce::Identifier& parameter)
{
    ccMapper->removeAssignment (parameter.toString());
}
} // namespace velk
