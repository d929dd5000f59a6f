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
    ccMapper->assignController (parameter.toString(), ccMapper->lastReceivedCC.load());
}

void CCMapperUIManager::clear (const juce::Identifier& parameter)
{
    ccMapper->removeAssignment (parameter.toString());
}
} // namespace velk
