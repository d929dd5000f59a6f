#include "HostWindow.h"

#include <atomic>
#include <functional>

// Last: Xlib defines macros (None, Bool, Status) that other headers also use as names.
#include <X11/Xlib.h>
#include <X11/Xlibint.h>

namespace tavelin::test
{
namespace
{
    std::atomic<int> errorCount{ 0 };

    int countError (Display*, XErrorEvent* error)
    {
        // With no window manager on the display its atoms are missing, and the plug-in's
        // window code reads and writes properties named by them.
        if (error->error_code != BadAtom)
            ++errorCount;

        return 0;
    }

    void visitTree (Display* display, Window window, const std::function<void (Window)>& visit)
    {
        visit (window);
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;

        if (XQueryTree (display, window, &root, &parent, &children, &count) == 0)
            return;

        for (unsigned int i = 0; i < count; ++i)
            visitTree (display, children[i], visit);

        if (children != nullptr)
            XFree (children);
    }
} // namespace

struct HostWindow::Connection
{
    Display* display = XOpenDisplay (nullptr);
    Window window = XCreateSimpleWindow (display, DefaultRootWindow (display), 0, 0, 1400, 1100, 0, 0, 0);
};

HostWindow::HostWindow()
    : connection (new Connection())
{
    XMapWindow (connection->display, connection->window);
    XSync (connection->display, False);
}

HostWindow::~HostWindow()
{
    XDestroyWindow (connection->display, connection->window);
    XCloseDisplay (connection->display);
    delete connection;
}

void* HostWindow::handle() const
{
    return reinterpret_cast<void*> (connection->window);
}

std::vector<unsigned long> HostWindow::children()
{
    XSync (connection->display, False);
    std::vector<unsigned long> found;
    Window root = 0, parent = 0;
    Window* list = nullptr;
    unsigned int count = 0;

    if (XQueryTree (connection->display, connection->window, &root, &parent, &list, &count) != 0)
    {
        found.assign (list, list + count);

        if (list != nullptr)
            XFree (list);
    }

    return found;
}

std::size_t HostWindow::windowsOfClientOf (unsigned long window)
{
    XSync (connection->display, False);

    // Every client's resource identifiers share the bits above the server's resource mask.
    const auto mask = reinterpret_cast<struct _XDisplay*> (connection->display)->resource_mask;
    std::size_t count = 0;
    visitTree (connection->display, DefaultRootWindow (connection->display), [&] (Window each)
               { count += (each & ~mask) == (window & ~mask) ? 1 : 0; });
    return count;
}

bool HostWindow::installErrorCounter()
{
    XSetErrorHandler (countError);

    auto* display = XOpenDisplay (nullptr);

    if (display == nullptr)
        return false;

    XCloseDisplay (display);
    return true;
}

int HostWindow::errorsSoFar()
{
    return errorCount.load();
}
} // namespace tavelin::test
