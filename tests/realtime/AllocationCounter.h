#pragma once

#include <cstddef>

namespace velk::test
{
/** Counts the heap allocations and frees made by one thread while it is armed.

    The global allocation functions of the test program (operator new and delete in every form,
    and malloc, calloc, realloc, free and the aligned variants where the program is not built
    with a sanitizer) report here. Only the arming thread is counted, so other threads (the
    message thread editing the MIDI map, say) may allocate freely meanwhile.
*/
class AllocationCounter
{
public:
    struct Counts
    {
        std::size_t allocations = 0;
        std::size_t deallocations = 0;

        bool isEmpty() const noexcept { return allocations == 0 && deallocations == 0; }
    };

    /** Runs fn with this thread armed and returns what it allocated and freed. Make no
        assertion inside fn: failing assertions build messages on the heap.
    */
    template <typename Function>
    static Counts countDuring (Function&& fn)
    {
        arm();
        fn();
        return disarm();
    }

    /** True when malloc and its family are counted too, not only operator new and delete. */
    static bool countsMallocFamily() noexcept;

    /** Called by the replaced allocation functions. */
    static void noteAllocation() noexcept;
    static void noteDeallocation() noexcept;

private:
    static void arm() noexcept;
    static Counts disarm() noexcept;
};
} // namespace velk::test
