#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cstddef>
#include <vector>

namespace tavelin::test
{
/** What a host does with X for a plug-in's editor: a window of its own to embed the editor in
    (effEditOpen takes it), a look at the windows the plug-in puts on the display and at what
    they show, and a process-wide handler for X errors, installed before any editor opens as a
    host must (the plug-in installs none, and Xlib's default one ends the process).

    The window lies at the origin of the screen, so its coordinates are the screen's; of two,
    the one made later lies on top.
*/
class HostWindow
{
public:
    HostWindow();
    ~HostWindow();

    HostWindow (const HostWindow&) = delete;
    HostWindow& operator= (const HostWindow&) = delete;

    /** The window to hand to effEditOpen. */
    void* handle() const;

    /** The windows inside ours, after every request sent so far has been carried out. */
    std::vector<unsigned long> children();

    /** The windows on the whole display that belong to the X client that made `window`. */
    std::size_t windowsOfClientOf (unsigned long window);

    /** Those of them that are on the screen: mapped, and every window above them too. */
    std::size_t viewableWindowsOfClientOf (unsigned long window);

    /** Whether the window is on the display, mapped or not: made and not destroyed since. */
    bool exists (unsigned long window);

    /** The size of a window, e.g. the editor's inside ours. */
    juce::Rectangle<int> boundsOf (unsigned long window);

    /** What the screen shows of this area of the window, as an opaque image. */
    juce::Image capture (juce::Rectangle<int> area);

    /** Unmaps the window and maps it again, as a host hides and shows its window: whatever is
        inside has to draw itself anew.
    */
    void hideAndShow();

    /** Installs the error handler; false when there is no display. */
    static bool installErrorCounter();

    /** X errors raised anywhere in this process since the handler was installed, but for
        BadAtom: a display without a window manager lacks the atoms that window code names.
    */
    static int errorsSoFar();

private:
    std::size_t countWindowsOfClientOf (unsigned long window, bool viewableOnly);

    struct Connection;
    Connection* connection;
};
} // namespace tavelin::test
