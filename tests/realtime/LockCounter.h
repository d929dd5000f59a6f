#pragma once

namespace velk::test
{
/** Counts the mutexes that one thread locks while it is armed.

    The test program stands in for pthread_mutex_lock, which every juce::CriticalSection and
    std::mutex of the program goes through, where no sanitizer brings its own (ThreadSanitizer
    does). Only the arming thread is counted.
*/
class LockCounter
{
public:
    /** Runs fn with this thread armed and returns the locks it took. */
    template <typename Function>
    static int countDuring (Function&& fn)
    {
        arm();
        fn();
        return disarm();
    }

    /** False in the sanitizer builds, where every count is 0. */
    static bool countsLocks() noexcept;

private:
    static void arm() noexcept;
    static int disarm() noexcept;
};
} // namespace velk::test
