#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <vector>

namespace tavelin::test
{
/** Records what a host would see of parameter edits: change notifications and the begin and end
    of change gestures, by parameter index, in order.
*/
class ParameterEventRecorder : public juce::AudioProcessorListener
{
public:
    enum class Kind
    {
        changed,
        gestureBegin,
        gestureEnd
    };

    struct Event
    {
        Kind kind;
        int parameterIndex;

        bool operator== (const Event& other) const { return kind == other.kind && parameterIndex == other.parameterIndex; }
    };

    explicit ParameterEventRecorder (juce::AudioProcessor& processorToWatch)
        : processor (processorToWatch)
    {
        processor.addListener (this);
    }

    ~ParameterEventRecorder() override { processor.removeListener (this); }

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override { events.push_back ({ Kind::changed, index }); }
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { events.push_back ({ Kind::gestureBegin, index }); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { events.push_back ({ Kind::gestureEnd, index }); }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    std::vector<Event> events;

private:
    juce::AudioProcessor& processor;
};
} // namespace tavelin::test
