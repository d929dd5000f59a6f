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
    ccMapper->midiMap.getOrCreateChildWithName (parameter, nullptr)
        .setProperty (CCMapper::ccValueProperty, ccMapper->lastReceivedCC.load(), nullptr);
}

void CCMapperUIManager::clear (const juce::Identifier& parameter)
{
    ccMapper->midiMap.removeChild (ccMapper->midiMap.getChildWithName (parameter), nullptr);
}
} // namespace velk
