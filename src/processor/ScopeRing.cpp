#include "processor/ScopeRing.h"

namespace velk
{
void ScopeRing::copyNewestFirst (juce::Array<float>& destination) const
{
    destination.resize (numValues);
    const auto newest = numPushed.load (std::memory_order_acquire) - 1;

    for (int age = 0; age < numValues; ++age)
        destination.set (age, values[(newest - (juce::uint32) age) % (juce::uint32) numValues].load (std::memory_order_relaxed));
}
} // namespace velk
