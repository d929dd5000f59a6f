#include "platform/ScopedCrashHandler.h"

#include <algorithm>
#include <atomic>
#include <link.h>
#include <mutex>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

namespace velk
{
namespace
{
    using SignalActions = std::array<struct sigaction, ScopedCrashHandler::fatalSignals.size()>;

    struct Installation
    {
        std::mutex lock;
        int numUsers = 0;
        SignalActions previous{};
        SignalActions installed{};
        ScopedCrashHandler::Recorder recorder{};
        ScopedCrashHandler::CodeRange ownCode;
        // The thread (high half) and signal (low half) of the first fault.
        std::atomic<std::uint64_t> firstFault{ 0 };
        std::atomic_flag recordWritten = ATOMIC_FLAG_INIT;
    };

    Installation& getInstallation()
    {
        static Installation installation;
        return installation;
    }

    SignalActions readCurrentActions()
    {
        SignalActions actions{};

        for (size_t i = 0; i < actions.size(); ++i)
            sigaction (ScopedCrashHandler::fatalSignals[i], nullptr, &actions[i]);

        return actions;
    }

    bool isSameHandler (const struct sigaction& a, const struct sigaction& b)
    {
        return a.sa_handler == b.sa_handler && (a.sa_flags & SA_SIGINFO) == (b.sa_flags & SA_SIGINFO);
    }

    //==============================================================================
    std::uintptr_t getFaultingInstruction (const void* signalContext) noexcept
    {
#if defined(__x86_64__)
        return (std::uintptr_t) static_cast<const ucontext_t*> (signalContext)->uc_mcontext.gregs[REG_RIP];
#else
    #error "Reading the faulting instruction from the signal context is written for x86-64 only"
#endif
    }

    void restorePreviousAction (int signal, const SignalActions& previous) noexcept
    {
        for (size_t i = 0; i < previous.size(); ++i)
            if (ScopedCrashHandler::fatalSignals[i] == signal)
                sigaction (signal, &previous[i], nullptr);
    }

    void restoreDefaultAction (int signal) noexcept
    {
        struct sigaction defaultAction
        {
        };
        defaultAction.sa_handler = SIG_DFL;
        sigaction (signal, &defaultAction, nullptr);
    }

    // Queued with the kernel's own details of the fault (code, address), so that the next
    // handler learns what we did. It arrives as soon as this handler returns, in the context of
    // the faulting instruction.
    void raiseAgain (int signal, siginfo_t& info) noexcept
    {
        if (syscall (SYS_rt_tgsigqueueinfo, getpid(), gettid(), signal, &info) != 0)
            raise (signal);
    }

    void handleFatalSignal (int signal, siginfo_t* info, void* signalContext)
    {
        auto& installation = getInstallation();
        const auto thread = gettid();
        const auto fault = ((std::uint64_t) (std::uint32_t) thread << 32) | (std::uint32_t) signal;
        auto firstFault = std::uint64_t{ 0 };

        // The first fault's signal back on its thread has been handed back to us by a handler
        // after ours: the default action ends it, rather than the two of us passing it round.
        if (!installation.firstFault.compare_exchange_strong (firstFault, fault) && firstFault == fault)
        {
            restoreDefaultAction (signal);
        }
        else
        {
            if (installation.ownCode.contains (getFaultingInstruction (signalContext)) && !installation.recordWritten.test_and_set())
                installation.recorder.write();

            restorePreviousAction (signal, installation.previous);
        }

        raiseAgain (signal, *info);
    }

    //==============================================================================
    struct ObjectSearch
    {
        std::uintptr_t address = 0;
        ScopedCrashHandler::CodeRange found;
    };

    int takeObjectIfItHoldsTheAddress (dl_phdr_info* object, size_t, void* searchData)
    {
        auto& search = *static_cast<ObjectSearch*> (searchData);
        ScopedCrashHandler::CodeRange span{ UINTPTR_MAX, 0 };
        auto holdsAddress = false;

        for (int i = 0; i < object->dlpi_phnum; ++i)
        {
            const auto& header = object->dlpi_phdr[i];

            if (header.p_type != PT_LOAD)
                continue;

            const auto begin = object->dlpi_addr + header.p_vaddr;
            const ScopedCrashHandler::CodeRange segment{ begin, begin + header.p_memsz };
            span = { std::min (span.begin, segment.begin), std::max (span.end, segment.end) };
            holdsAddress = holdsAddress || segment.contains (search.address);
        }

        if (!holdsAddress)
            return 0;

        search.found = span;
        return 1;
    }
} // namespace

ScopedCrashHandler::CodeRange ScopedCrashHandler::CodeRange::ofObjectContaining (std::uintptr_t address)
{
    ObjectSearch search{ address, {} };
    dl_iterate_phdr (takeObjectIfItHoldsTheAddress, &search);
    return search.found;
}

ScopedCrashHandler::CodeRange ScopedCrashHandler::CodeRange::ofOwnCode()
{
    return ofObjectContaining (reinterpret_cast<std::uintptr_t> (&ScopedCrashHandler::CodeRange::ofOwnCode));
}

//==============================================================================
ScopedCrashHandler::ScopedCrashHandler (const Recorder& recorder, CodeRange ownCode)
{
    auto& installation = getInstallation();
    const std::lock_guard<std::mutex> guard (installation.lock);

    if (installation.numUsers++ > 0)
        return;

    installation.recorder = recorder;
    installation.ownCode = ownCode;
    installation.firstFault = 0;
    installation.recordWritten.clear();
    recorder.prepare();

    installation.previous = readCurrentActions();

    struct sigaction action
    {
    };
    action.sa_sigaction = handleFatalSignal;
    // No SA_RESTART: system calls that a fatal signal interrupts fail rather than go on.
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;

    for (const auto signal : fatalSignals)
        sigaction (signal, &action, nullptr);

    installation.installed = readCurrentActions();
}

ScopedCrashHandler::~ScopedCrashHandler()
{
    auto& installation = getInstallation();
    const std::lock_guard<std::mutex> guard (installation.lock);

    if (--installation.numUsers > 0)
        return;

    const auto current = readCurrentActions();

    for (size_t i = 0; i < fatalSignals.size(); ++i)
        if (isSameHandler (current[i], installation.installed[i]))
            sigaction (fatalSignals[i], &installation.previous[i], nullptr);

    installation.recorder.release();
}
} // namespace velk
