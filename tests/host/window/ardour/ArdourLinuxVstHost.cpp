#include "ArdourLinuxVstHost.h"

#include <cstdio>
#include <mutex>
#include <utility>

// Last: Xlib defines macros (None, Bool, Status) that other headers also use as names.
#include <X11/Xlib.h>

namespace tavelin::test
{
namespace
{
    std::mutex errorLock; // the plug-in makes X requests on threads of its own too
    std::vector<std::string> recordedErrors;

    int recordError (Display*, XErrorEvent* error)
    {
        if (error->error_code == BadAtom)
            return 0;

        char text[96];
        std::snprintf (text, sizeof (text), "error %d, request %d, resource 0x%lx",
                       error->error_code, error->request_code, error->resourceid);
        const std::lock_guard<std::mutex> lock (errorLock);
        recordedErrors.emplace_back (text);
        return 0;
    }
} // namespace

struct ArdourLinuxVstHost::Connection
{
    Connection()
    {
        const std::lock_guard<std::mutex> lock (errorLock);
        recordedErrors.clear();
    }

    Display* display = XOpenDisplay (nullptr);
    XErrorHandler previousHandler = XSetErrorHandler (recordError);

    ~Connection()
    {
        XCloseDisplay (display);
        XSetErrorHandler (previousHandler);
    }
};

ArdourLinuxVstHost::ArdourLinuxVstHost (VstHost& pluginToHost, Reaction reactionToChildSizes)
    : plugin (pluginToHost), reaction (reactionToChildSizes), connection (std::make_unique<Connection>())
{
}

ArdourLinuxVstHost::~ArdourLinuxVstHost()
{
    if (window != 0)
        closeEditor();
}

bool ArdourLinuxVstHost::openEditor()
{
    auto* display = connection->display;
    window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, 1, 1, 0, 0, 0);
    XSelectInput (display, window, SubstructureNotifyMask);
    XMapWindow (display, window);
    XSync (display, False);

    // Ardour asks for the size only after the editor opened.
    if (plugin.dispatch (effEditOpen, 0, 0, reinterpret_cast<void*> (window)) != 1)
        return false;

    ERect* rect = nullptr;
    plugin.dispatch (effEditGetRect, 0, 0, &rect);

    if (rect != nullptr)
        XResizeWindow (display, window, (unsigned int) (rect->right - rect->left), (unsigned int) (rect->bottom - rect->top));

    XSync (display, False);
    return true;
}

void ArdourLinuxVstHost::idle()
{
    handleEvents();
    plugin.dispatch (effEditIdle);
}

void ArdourLinuxVstHost::closeEditor()
{
    plugin.dispatch (effEditClose);
    XDestroyWindow (connection->display, std::exchange (window, 0));
    XSync (connection->display, False);
}

void ArdourLinuxVstHost::handleEvents()
{
    auto* display = connection->display;
    XSync (display, False);

    while (XPending (display) > 0)
    {
        XEvent event;
        XNextEvent (display, &event);

        // Events of host windows that are gone still arrive; they concern none of ours.
        if (window == 0)
            continue;

        if (event.type == ReparentNotify && event.xreparent.parent == window)
            remembered = event.xreparent.window;
        else if (event.type == ConfigureNotify && event.xconfigure.event == window && remembered != 0)
            react (event.xconfigure.width, event.xconfigure.height);
    }
}

void ArdourLinuxVstHost::react (int width, int height)
{
    auto* display = connection->display;

    if (reaction == Reaction::move)
    {
        XMoveWindow (display, remembered, 0, 0);
    }
    else
    {
        XMoveResizeWindow (display, remembered, 0, 0, (unsigned int) width, (unsigned int) height);
        XMapRaised (display, remembered);
    }

    XSync (display, False);
}

std::vector<unsigned long> ArdourLinuxVstHost::children()
{
    std::vector<unsigned long> found;
    Window root = 0, parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;
    XSync (connection->display, False);

    if (XQueryTree (connection->display, window, &root, &parent, &list, &count) != 0)
    {
        found.assign (list, list + count);

        if (list != nullptr)
            XFree (list);
    }

    return found;
}

std::vector<std::string> ArdourLinuxVstHost::errors() const
{
    const std::lock_guard<std::mutex> lock (errorLock);
    return recordedErrors;
}
} // namespace tavelin::test
