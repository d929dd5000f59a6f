#pragma once

#include <atomic>
#include <memory>

namespace velk
{
/** Hands immutable snapshots from the threads that edit some state to the audio thread.

    Publishers (any thread but the audio thread) pass in a new snapshot; the audio thread picks
    up the newest one with acquire(), which never allocates, frees or blocks. A snapshot the
    audio thread stops using is parked in a "retired" slot and deleted by the next publish() or
    collectGarbage() off the audio thread; while that slot is full the audio thread keeps its
    current snapshot a little longer rather than free one itself.
*/
template <typename Snapshot>
class LockFreeHandover
{
public:
    explicit LockFreeHandover (std::unique_ptr<Snapshot> initial)
        : active (initial.release())
    {
    }

    ~LockFreeHandover()
    {
        delete active;
        delete pending.load();
        delete retired.load();
    }

    LockFreeHandover (const LockFreeHandover&) = delete;
    LockFreeHandover& operator= (const LockFreeHandover&) = delete;

    /** Makes `next` the snapshot that the audio thread takes up at its next acquire().
        A snapshot published earlier and never taken up is dropped.
    */
    void publish (std::unique_ptr<Snapshot> next)
    {
        collectGarbage();
        delete pending.exchange (next.release(), std::memory_order_acq_rel);
    }

    /** Deletes the snapshot that the audio thread has given back, if any. */
    void collectGarbage()
    {
        delete retired.exchange (nullptr, std::memory_order_acq_rel);
    }

    /** Audio thread only: the newest snapshot that could be taken up. The reference stays valid
        until the next call of acquire().
    */
    const Snapshot& acquire() noexcept
    {
        if (pending.load (std::memory_order_relaxed) != nullptr && retired.load (std::memory_order_acquire) == nullptr)
        {
            if (auto* next = pending.exchange (nullptr, std::memory_order_acq_rel))
            {
                // Only this thread fills the retired slot, so it is still empty here.
                retired.store (active, std::memory_order_release);
                active = next;
            }
        }

        return *active;
    }

private:
    Snapshot* active;
    std::atomic<Snapshot*> pending{ nullptr };
    std::atomic<Snapshot*> retired{ nullptr };
};
} // namespace velk
