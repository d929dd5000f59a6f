#include "realtime/AllocationCounter.h"

namespace velk::test
{
namespace
{
    // Plain thread-locals of the executable live in its static TLS block, so touching them from
    // inside malloc never allocates.
    thread_local bool armed = false;
    thread_local AllocationCounter::Counts counts;
} // namespace

void AllocationCounter::noteAllocation() noexcept
{
    if (armed)
        ++counts.allocations;
}

void AllocationCounter::noteDeallocation() noexcept
{
    if (armed)
        ++counts.deallocations;
}

void AllocationCounter::arm() noexcept
{
    counts = {};
    armed = true;
}

AllocationCounter::Counts AllocationCounter::disarm() noexcept
{
    armed = false;
    return counts;
}
} // namespace velk::test
