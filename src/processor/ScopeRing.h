#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>

namespace velk
{
/** The oscilloscope's last values, written by the audio thread one at a time and copied out by
    the message thread, newest first, without a lock on either side.
*/
class ScopeRing
{
public:
    static constexpr int numValues = 256;

    /** Audio thread. */
    void push (float value) noexcept
    {
        const auto count = numPushed.load (std::memory_order_relaxed);
        values[count % (juce::uint32) numValues].store (value, std::memory_order_relaxed);
        numPushed.store (count + 1, std::memory_order_release);
    }

    /** Message thread: fills `destination` with numValues values, the newest at index 0.
        A value pushed while this copies may already show; the picture only redraws.
    */
    void copyNewestFirst (juce::Array<float>& destination) const;

private:
    std::array<std::atomic<float>, numValues> values{};
    std::atomic<juce::uint32> numPushed{ 0 };
};
} // namespace velk
