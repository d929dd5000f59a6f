#include "HostWindow.h"

#include <atomic>
#include <functional>

// Last: Xlib defines macros (None, Bool, Status) that other headers also use as names.
#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#include <X11/Xutil.h>

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

    bool isViewable (Display* display, Window window)
    {
        XWindowAttributes attributes{};
        return XGetWindowAttributes (display, window, &attributes) != 0 && attributes.map_state == IsViewable;
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
    return countWindowsOfClientOf (window, false);
}

std::size_t HostWindow::viewableWindowsOfClientOf (unsigned long window)
{
    return countWindowsOfClientOf (window, true);
}

std::size_t HostWindow::countWindowsOfClientOf (unsigned long window, bool viewableOnly)
{
    auto* display = connection->display;
    XSync (display, False);

    // Every client's resource identifiers share the bits above the server's resource mask.
    const auto mask = reinterpret_cast<struct _XDisplay*> (display)->resource_mask;
    std::size_t count = 0;
    visitTree (display, DefaultRootWindow (display), [&] (Window each)
               {
                   if ((each & ~mask) == (window & ~mask) && (!viewableOnly || isViewable (display, each)))
                       ++count; });
    return count;
}

bool HostWindow::exists (unsigned long window)
{
    // Asking a window that is gone for anything raises an error; looking for it raises none.
    XSync (connection->display, False);
    auto found = false;
    visitTree (connection->display, DefaultRootWindow (connection->display), [&] (Window each)
               { found = found || each == window; });
    return found;
}

juce::Rectangle<int> HostWindow::boundsOf (unsigned long window)
{
    XSync (connection->display, False);
    XWindowAttributes attributes{};

    if (XGetWindowAttributes (connection->display, window, &attributes) == 0)
        return {};

    return { attributes.x, attributes.y, attributes.width, attributes.height };
}

juce::Image HostWindow::capture (juce::Rectangle<int> area)
{
    XSync (connection->display, False);
    auto* pixels = XGetImage (connection->display, connection->window, area.getX(), area.getY(),
                              (unsigned int) area.getWidth(), (unsigned int) area.getHeight(), AllPlanes, ZPixmap);

    if (pixels == nullptr)
        return {};

    juce::Image image (juce::Image::ARGB, area.getWidth(), area.getHeight(), false, juce::SoftwareImageType());
    const auto channel = [] (unsigned long pixel, unsigned long mask)
    {
        auto shift = 0;

        while (((mask >> shift) & 1) == 0)
            ++shift;

        return (juce::uint8) ((pixel & mask) >> shift);
    };

    for (int y = 0; y < area.getHeight(); ++y)
    {
        for (int x = 0; x < area.getWidth(); ++x)
        {
            const auto pixel = XGetPixel (pixels, x, y);
            image.setPixelAt (x, y, juce::Colour (channel (pixel, pixels->red_mask), channel (pixel, pixels->green_mask), channel (pixel, pixels->blue_mask)));
        }
    }

    XDestroyImage (pixels);
    return image;
}

void HostWindow::hideAndShow()
{
    XUnmapWindow (connection->display, connection->window);
    XSync (connection->display, False);
    XMapWindow (connection->display, connection->window);
    XSync (connection->display, False);
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
