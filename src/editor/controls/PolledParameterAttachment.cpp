#include "editor/controls/PolledParameterAttachment.h"

namespace velk
{
PolledParameterAttachment::PolledParameterAttachment (juce::RangedAudioParameter& parameterToUse, GestureRecorder recorder)
    : parameter (parameterToUse),
      recordGesture (std::move (recorder))
{
    JUCE_ASSERT_MESSAGE_THREAD
    jassert (recordGesture.began != nullptr && recordGesture.ended != nullptr);
}

PolledParameterAttachment::~PolledParameterAttachment() = default;

void PolledParameterAttachment::showChangeMadeElsewhere()
{
    // The mark goes before the value is read: a change that comes in between marks again.
    if (changedElsewhere.exchange (false))
        show (parameter.getValue());
}

void PolledParameterAttachment::sendInitialUpdate()
{
    show (parameter.getValue());
}

void PolledParameterAttachment::setValueAsCompleteGesture (float plainValue)
{
    if (!isChangeByTheUser (plainValue))
        return;

    beginGesture();
    parameter.setValueNotifyingHost (parameter.convertTo0to1 (plainValue));
    endGesture();
}

void PolledParameterAttachment::beginGesture()
{
    inGesture = true;
    recordGesture.began (parameter);
    parameter.beginChangeGesture();
}

void PolledParameterAttachment::setValueAsPartOfGesture (float plainValue)
{
    // A slider moved by its arrow keys reports no drag.
    if (!inGesture)
        setValueAsCompleteGesture (plainValue);
    else if (isChangeByTheUser (plainValue))
        parameter.setValueNotifyingHost (parameter.convertTo0to1 (plainValue));
}

void PolledParameterAttachment::endGesture()
{
    inGesture = false;
    parameter.endChangeGesture();
    recordGesture.ended (parameter);
}

bool PolledParameterAttachment::isChangeByTheUser (float plainValue) const
{
    // While the control is shown a value it may report one it can come nearest to; that is
    // not the user's.
    return !showing && parameter.getValue() != parameter.convertTo0to1 (plainValue);
}

void PolledParameterAttachment::show (float normalisedValue)
{
    const juce::ScopedValueSetter<bool> ignoreReports (showing, true);
    showValue (parameter.convertFrom0to1 (normalisedValue));
}

//==============================================================================
PolledParameterAttachment::ParameterListener::ParameterListener (PolledParameterAttachment& ownerToTell)
    : owner (ownerToTell)
{
    owner.parameter.addListener (this);
}

PolledParameterAttachment::ParameterListener::~ParameterListener()
{
    // Once this returns no thread is inside parameterValueChanged: the parameter calls its
    // listeners under the same lock.
    owner.parameter.removeListener (this);
}

void PolledParameterAttachment::ParameterListener::parameterValueChanged (int, float newValue)
{
    // The audio thread may be the caller: a store to a lock-free atomic is all it may do here.
    if (juce::Thread::getCurrentThreadId() == owner.messageThread)
        owner.show (newValue);
    else
        owner.changedElsewhere.store (true);
}
} // namespace velk
