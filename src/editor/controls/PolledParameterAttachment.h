#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <functional>

namespace velk
{
/** The parameter's side of a control bound to it; a subclass per kind of control shows the
    value and reports the user's changes through the gestures here.

    A change of the parameter made on the message thread shows in the control at once. One made
    on any other thread (the audio thread moving a mapped controller, the host's automation)
    only sets a mark, an atomic store that neither allocates, locks nor posts a message; the
    owner calls showChangeMadeElsewhere() from a timer on the message thread.
*/
class PolledParameterAttachment
{
public:
    /** Told of every gesture of the user's as it begins and as it ends: the undo history, which
        makes the gesture a step.
    */
    struct GestureRecorder
    {
        std::function<void (juce::RangedAudioParameter&)> began, ended;
    };

    virtual ~PolledParameterAttachment();

    /** On the message thread: shows the parameter's value if another thread changed it since
        the last call.
    */
    void showChangeMadeElsewhere();

protected:
    PolledParameterAttachment (juce::RangedAudioParameter& parameter, GestureRecorder recorder);

    /** Shows the parameter's plain value in the control. Whatever the control reports back
        meanwhile is ignored.
    */
    virtual void showValue (float plainValue) = 0;

    /** Shows the parameter's current value; call it once the control is set up. */
    void sendInitialUpdate();

    /** A one-off change of the user's, such as a click or a key: a gesture of its own if it
        changes the value.
    */
    void setValueAsCompleteGesture (float plainValue);

    /** A continuous change of the user's, such as a drag, between these two. Outside them a
        change is a gesture of its own.
    */
    void beginGesture();
    void setValueAsPartOfGesture (float plainValue);
    void endGesture();

    juce::RangedAudioParameter& parameter;

private:
    /** Hears the parameter on whichever thread moves it, from its construction until its
        destruction. A member rather than a base: the audio thread calls it while the subclass
        is being destroyed, so its vtable pointer must be one that the subclass's destruction
        doesn't rewrite.
    */
    class ParameterListener final : public juce::AudioProcessorParameter::Listener
    {
    public:
        explicit ParameterListener (PolledParameterAttachment& owner);
        ~ParameterListener() override;

    private:
        void parameterValueChanged (int parameterIndex, float newValue) override;
        void parameterGestureChanged (int, bool) override {}

        PolledParameterAttachment& owner;
    };

    void show (float normalisedValue);
    bool isChangeByTheUser (float plainValue) const;

    const GestureRecorder recordGesture;
    bool inGesture = false;

    // Made on the message thread. Asking the message manager which thread that is would lock
    // its mutex, on the audio thread too.
    const juce::Thread::ThreadID messageThread = juce::Thread::getCurrentThreadId();
    std::atomic<bool> changedElsewhere{ false };
    static_assert (std::atomic<bool>::is_always_lock_free);
    bool showing = false;
    ParameterListener listener{ *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PolledParameterAttachment)
};
} // namespace velk
