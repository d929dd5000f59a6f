#include "HostedEditor.h"

#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>

namespace tavelin::test
{
HostedEditor::HostedEditor()
    : instance (std::make_unique<VstHost> (pluginLibrary()))
{
    instance->resume();
    ERect* rect = nullptr;
    instance->dispatch (effEditGetRect, 0, 0, &rect);

    if (instance->dispatch (effEditOpen, 0, 0, hostWindow.handle()) != 1 || hostWindow.children().size() != 1)
        throw std::runtime_error ("the editor did not open in the host's window");

    embedded = hostWindow.children().front();
    open = true;
}

HostedEditor::~HostedEditor()
{
    closeEditor();
    instance->suspend();
}

void HostedEditor::idle()
{
    instance->dispatch (effEditIdle);
}

bool HostedEditor::idleUntil (const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds (5);

    for (;;)
    {
        idle();

        if (condition())
            return true;

        if (std::chrono::steady_clock::now() > deadline)
            return false;

        // The editor's timers fire on their own thread, which posts them for the next idle call.
        std::this_thread::yield();
    }
}

void HostedEditor::closeEditor()
{
    if (std::exchange (open, false))
        instance->dispatch (effEditClose);
}
} // namespace tavelin::test
