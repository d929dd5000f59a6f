#include "platform/ScopedCrashHandler.h"

#include <mutex>

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
} // namespace

ScopedCrashHandler::ScopedCrashHandler (juce::SystemStats::CrashHandlerFunction handler)
{
    auto& installation = getInstallation();
    const std::lock_guard<std::mutex> guard (installation.lock);

    if (installation.numUsers++ > 0)
        return;

    installation.previous = readCurrentActions();
    juce::SystemStats::setApplicationCrashHandler (handler);
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
}
} // namespace velk
