#pragma once

#include "processor/CCMapper.h"

#include <juce_events/juce_events.h>

namespace velk
{
/** Carries out the MIDI-learn requests of every learnable control: maps the control's parameter
    to the last controller the processor received (nothing, before one arrived), or removes its
    mapping. Map edits take no undo manager, so MIDI learn never enters the undo history.
*/
class CCMapperUIManager : public juce::ChangeListener
{
public:
    explicit CCMapperUIManager (CCMapper& mapper);
    ~CCMapperUIManager() override;

    /** `source` is a control's MIDITarget. */
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

private:
    void assign (const juce::Identifier& parameter);
    void clear (const juce::Identifier& parameter);

    CCMapper* ccMapper;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CCMapperUIManager)
};
} // namespace velk
