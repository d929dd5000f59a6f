#include "support/ChildProcess.h"

#include "processor/PluginCrashLogger.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tavelin::test
{
using velk::ScopedCrashHandler;

namespace
{
    // A hang lasts for ever; this only has to end the test long before the test runner would.
    constexpr int timeLimitMilliseconds = 10000;

    bool hasEndedWithinTheTimeLimit (pid_t child)
    {
        const auto childEnded = (int) syscall (SYS_pidfd_open, child, 0);
        pollfd ready{ childEnded, POLLIN, 0 };
        auto numReady = 0;

        while ((numReady = poll (&ready, 1, timeLimitMilliseconds)) < 0 && errno == EINTR)
        {
        }

        close (childEnded);
        return numReady == 1;
    }

    //==============================================================================
    struct sigaction handlerToHandBackTo
    {
    };

    void exitAsTheHost (int signal)
    {
        _exit (hostExitCode (signal));
    }

    void handBack (int signal, siginfo_t* info, void* context)
    {
        handlerToHandBackTo.sa_sigaction (signal, info, context);
    }

    volatile const char* getInaccessiblePage()
    {
        return static_cast<volatile const char*> (mmap (nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    }

    ssize_t segfaultOnWrite (void*, const char*, size_t)
    {
        segfaultInOwnCode();
        return 0;
    }
} // namespace

std::ostream& operator<< (std::ostream& stream, const ChildEnd& end)
{
    if (end.signal != 0)
        return stream << "killed by signal " << end.signal << " (" << strsignal (end.signal) << ")";

    return stream << "exited with " << end.exitCode;
}

ChildEnd runInChildProcess (const std::function<int()>& function)
{
    const auto child = fork();

    if (child == 0)
    {
        const rlimit noCoreFile{ 0, 0 };
        setrlimit (RLIMIT_CORE, &noCoreFile);
        _exit (function());
    }

    if (!hasEndedWithinTheTimeLimit (child))
    {
        ADD_FAILURE() << "the child process has not ended within " << timeLimitMilliseconds << " ms";
        kill (child, SIGKILL);
    }

    int status = 0;

    while (waitpid (child, &status, 0) < 0 && errno == EINTR)
    {
    }

    return WIFSIGNALED (status) ? ChildEnd::killedBy (WTERMSIG (status)) : ChildEnd::exited (WEXITSTATUS (status));
}

ChildEnd runUntilTheFirstFileWrite (const std::function<void()>& function)
{
    return runInChildProcess ([&function]
                              {
        // No file may grow: the first write into one raises the signal, whose default ends the process.
        std::signal (SIGXFSZ, SIG_DFL);
        const rlimit noFileGrowth{ 0, 0 };
        setrlimit (RLIMIT_FSIZE, &noFileGrowth);
        function();
        return 0; });
}

//==============================================================================
ScopedHostHandler::ScopedHostHandler (HostHandler handler)
{
    struct sigaction action
    {
    };

    if (handler == HostHandler::exits)
        action.sa_handler = exitAsTheHost;

    if (handler == HostHandler::handsBack)
    {
        action.sa_sigaction = handBack;
        action.sa_flags = SA_SIGINFO;
    }

    for (size_t i = 0; i < original.size(); ++i)
        sigaction (ScopedCrashHandler::fatalSignals[i], &action, &original[i]);
}

ScopedHostHandler::~ScopedHostHandler()
{
    for (size_t i = 0; i < original.size(); ++i)
        sigaction (ScopedCrashHandler::fatalSignals[i], &original[i], nullptr);
}

ChildEnd runFaultingChild (HostHandler host, void (*fault)())
{
    return runInChildProcess ([&]
                              {
        const ScopedHostHandler hostHandler (host);
        const ScopedCrashHandler ours (velk::pluginCrashHandler);
        sigaction (SIGSEGV, nullptr, &handlerToHandBackTo);
        fault();
        return 0; });
}

//==============================================================================
void segfaultInOwnCode()
{
    [[maybe_unused]] const char byte = *getInaccessiblePage();
}

void trapInOwnCode()
{
    __builtin_trap();
}

void segfaultInTheSystemLibrary()
{
    [[maybe_unused]] volatile const auto length = std::strlen (const_cast<const char*> (getInaccessiblePage()));
}

void abortInTheSystemLibrary()
{
    std::abort();
}

void segfaultInOwnCodeWhileTheAllocatorIsLocked()
{
    // While a process has one thread, the allocator takes no lock.
    std::thread ([]
                 { pause(); })
        .detach();

    // The allocator prints its statistics holding its lock; printing to this stream faults.
    stderr = fopencookie (nullptr, "w", { nullptr, segfaultOnWrite, nullptr, nullptr });
    setvbuf (stderr, nullptr, _IONBF, 0);
    malloc_stats();
    _exit (allocatorNotLockedExitCode);
}
} // namespace tavelin::test
