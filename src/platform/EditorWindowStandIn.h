#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** A window of the plug-in's that Ardour keeps hold of in place of the editor's own.

    Ardour 7's LinuxVST support remembers the last window reparented into the window it opens an
    editor in, and keeps that memory after it has closed the editor and destroyed its window. As
    soon as the next editor's window takes its size, Ardour moves the window it remembers, and
    GTK's configure handler sizes it and maps it raised: the window of the editor before, which
    JUCE destroyed at the close. Ardour's threads take turns at putting in the handler of the X
    errors that follow, and when GTK's is in place Ardour exits.

    Passed through the host's window right after the editor's own window went in, the stand-in
    is what Ardour remembers instead. It lives as long as the plug-in, inside a parking window
    that is never mapped, so whatever Ardour does to it shows nothing and takes no input, and it
    never stays in the host's window. Only Ardour sees it: elsewhere it is never made.

    Message thread only.
*/
class EditorWindowStandIn
{
public:
    EditorWindowStandIn();
    ~EditorWindowStandIn();

    /** In Ardour, reparents the stand-in into the host's window that holds the editor's window
        and straight back out, making it at the first call; call it once the editor's window is
        in the host's. Elsewhere, and for a window that is not inside a host's, it does nothing.
    */
    void passThroughHostWindowOf (unsigned long editorWindow);

private:
    const bool hostRemembersWindows;
    unsigned long parkingWindow = 0, standInWindow = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (EditorWindowStandIn)
};
} // namespace velk
