#pragma once

#include "platform/ScopedCrashHandler.h"

#include <functional>
#include <ostream>

namespace tavelin::test
{
/** How a child process ended: with an exit code, or by a signal. */
struct ChildEnd
{
    int exitCode = 0;
    int signal = 0;

    static ChildEnd exited (int code) { return { code, 0 }; }
    static ChildEnd killedBy (int signal) { return { 0, signal }; }

    bool operator== (const ChildEnd& other) const { return exitCode == other.exitCode && signal == other.signal; }
};

std::ostream& operator<< (std::ostream& stream, const ChildEnd& end);

/** Runs the function in a forked child process, which ends with the function's result as its
    exit code (and leaves no core file), and returns how the child ended. For what must not
    happen in the test process itself: fatal signals, dropped privileges, resource limits. A
    child that has not ended within ten seconds fails the test and is killed.
*/
ChildEnd runInChildProcess (const std::function<int()>& function);

/** Runs the function in a forked child that dies of SIGXFSZ at its first write into a file, after
    the file was created: a host that crashes in the middle of a save. Returns how it ended.
*/
ChildEnd runUntilTheFirstFileWrite (const std::function<void()>& function);

//==============================================================================
/** What the host has on the fatal signals before the plug-in puts its crash handler there. */
enum class HostHandler
{
    none,     ///< the default action
    exits,    ///< ends the process with hostExitCode (signal)
    handsBack ///< calls the handler installed after it, as a chaining crash reporter does
};

constexpr int hostExitCode (int signal)
{
    return 100 + signal;
}

/** Gives the fatal signals the host's handler while it exists. */
class ScopedHostHandler
{
public:
    explicit ScopedHostHandler (HostHandler handler);
    ~ScopedHostHandler();

private:
    std::array<struct sigaction, velk::ScopedCrashHandler::fatalSignals.size()> original{};
};

/** Forks a child that gives the fatal signals the host's handler, installs the plug-in's crash
    handler over it and then runs the fault. Returns how the child ended.
*/
ChildEnd runFaultingChild (HostHandler host, void (*fault)());

//==============================================================================
// Faults whose instruction lies in our own code (this program) or in the system's C library.
void segfaultInOwnCode();
void trapInOwnCode();
void segfaultInTheSystemLibrary();
void abortInTheSystemLibrary();

/** A segfault in our own code while this thread holds the system allocator's lock. Where the
    allocator is another (a sanitizer's), no fault happens and the child exits with
    allocatorNotLockedExitCode.
*/
void segfaultInOwnCodeWhileTheAllocatorIsLocked();

constexpr int allocatorNotLockedExitCode = 77;
} // namespace tavelin::test
