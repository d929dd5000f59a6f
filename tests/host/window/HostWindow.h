#pragma once

#include <cstddef>
#include <vector>

namespace tavelin::test
{
/** What a host does with X for a plug-in's editor: a window of its own to embed the editor in
    (effEditOpen takes it), a look at the windows the plug-in puts on the display, and a
    process-wide handler for X errors, installed before any editor opens as a host must (the
    plug-in installs none, and Xlib's default one ends the process).
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

    /** Installs the error handler; false when there is no display. */
    static bool installErrorCounter();

    /** X errors raised anywhere in this process since the handler was installed, but for
        BadAtom: a display without a window manager lacks the atoms that window code names.
    */
    static int errorsSoFar();

private:
    struct Connection;
    Connection* connection;
};
} // namespace tavelin::test
