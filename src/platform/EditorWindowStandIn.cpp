// The editor's windows live on JUCE's connection to the X server, and Xlib is the library JUCE
// loads when it starts (the plug-in does not link it): both come with the framework's X headers.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "platform/EditorWindowStandIn.h"

#include <juce_audio_processors/juce_audio_processors.h>

namespace velk
{
namespace
{
    ::Window parentOf (::Display* display, ::Window window)
    {
        ::Window root = 0, parent = 0;
        ::Window* children = nullptr;
        unsigned int count = 0;

        if (juce::X11Symbols::getInstance()->xQueryTree (display, window, &root, &parent, &children, &count) == 0)
            return 0;

        if (children != nullptr)
            juce::X11Symbols::getInstance()->xFree (children);

        return parent == root ? 0 : parent;
    }
} // namespace

EditorWindowStandIn::EditorWindowStandIn()
    : hostRemembersWindows (juce::PluginHostType().isArdour())
{
}

EditorWindowStandIn::~EditorWindowStandIn()
{
    if (parkingWindow == 0)
        return;

    const juce::XWindowSystemUtilities::ScopedXLock xLock;
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();
    juce::X11Symbols::getInstance()->xDestroyWindow (display, parkingWindow); // the stand-in with it
    juce::X11Symbols::getInstance()->xFlush (display);
}

void EditorWindowStandIn::passThroughHostWindowOf (unsigned long editorWindow)
{
    if (!hostRemembersWindows)
        return;

    const juce::XWindowSystemUtilities::ScopedXLock xLock;
    auto* x11 = juce::X11Symbols::getInstance();
    auto* display = juce::XWindowSystem::getInstance()->getDisplay();
    const auto hostWindow = parentOf (display, editorWindow);

    if (hostWindow == 0)
        return;

    if (parkingWindow == 0)
    {
        // Never mapped, and left alone by the window manager should anyone map it; both windows
        // take their parent's depth and visual.
        ::XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        parkingWindow = x11->xCreateWindow (display, x11->xDefaultRootWindow (display), 0, 0, 1, 1, 0, CopyFromParent,
                                            InputOutput, nullptr, CWOverrideRedirect, &attributes);
        standInWindow = x11->xCreateWindow (display, parkingWindow, 0, 0, 1, 1, 0, CopyFromParent,
                                            InputOutput, nullptr, 0, nullptr);
    }

    // Ardour maps what it remembers; unmapped, the stand-in passes through the host's window unseen.
    x11->xUnmapWindow (display, standInWindow);
    x11->xReparentWindow (display, standInWindow, hostWindow, 0, 0);
    x11->xReparentWindow (display, standInWindow, parkingWindow, 0, 0);
    x11->xFlush (display);
}
} // namespace velk
