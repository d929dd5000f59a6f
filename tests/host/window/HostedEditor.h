#pragma once

#include "HostWindow.h"
#include "PluginFixture.h"

#include <functional>
#include <memory>

namespace tavelin::test
{
/** One resumed instance of the plug-in with its editor open in a window of the host, as a host
    shows it: effEditGetRect, then effEditOpen into the window. From then on the editor runs
    only inside effEditIdle, which the host calls from its own loop: timers, repaints, mouse
    and keys all wait for it.
*/
class HostedEditor
{
public:
    HostedEditor();
    ~HostedEditor();

    HostedEditor (const HostedEditor&) = delete;
    HostedEditor& operator= (const HostedEditor&) = delete;

    VstHost& host() { return *instance; }
    HostWindow& window() { return hostWindow; }

    /** The editor's own window inside the host's. */
    unsigned long editorWindow() const { return embedded; }

    void idle();

    /** Idle calls until the condition holds, for five seconds at most; false if it never did. */
    bool idleUntil (const std::function<bool()>& condition);

    void closeEditor();

private:
    HostWindow hostWindow; // outlives the instance, which may still have the editor open
    std::unique_ptr<VstHost> instance;
    unsigned long embedded = 0;
    bool open = false;
};
} // namespace tavelin::test
