#include "support/IsolatedHome.h"

#include <gtest/gtest.h>
#include <juce_events/juce_events.h>

#include <cstdio>

// Last: Xlib defines macros (None, Bool, Status) that other headers also use as names.
#include <X11/Xlib.h>

namespace
{
// A bare Xvfb has no window manager, so window-manager atoms such as WM_PROTOCOLS are missing
// and opening a window raises BadAtom; Xlib's default handler would end the process. A plug-in
// host installs its own handler the same way.
int ignoreXError (Display*, XErrorEvent*)
{
    return 0;
}

} // namespace

int main (int argc, char** argv)
{
    if (const auto parentResult = tavelin::test::runInIsolatedHome (argc, argv); parentResult >= 0)
        return parentResult;

    testing::InitGoogleTest (&argc, argv);
    XSetErrorHandler (ignoreXError);

    if (auto* display = XOpenDisplay (nullptr))
    {
        XCloseDisplay (display);
    }
    else
    {
        std::fprintf (stderr, "These tests need an X display (scripts/with-xvfb.sh starts one).\n");
        return 1;
    }

    const juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
