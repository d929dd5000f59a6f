#pragma once

#include "VstHost.h"

#include <memory>
#include <string>
#include <vector>

namespace tavelin::test
{
/** What Ardour 7's LinuxVST support does with X around a plug-in's editor, as far as it
    concerns the plug-in. Every open gets a new host window, watched for what happens to its
    children; the host remembers the last window reparented into it, and keeps that memory after
    the editor closed and the window went. Whenever a child reports its size, the host acts on
    the window it remembers: its LinuxVST thread moves it to the corner, GTK's configure handler
    moves and sizes it and maps it raised.

    Ardour handles what arrives while its threads run; this host does so in idle(), waiting for
    the outcome of each reaction, so that an X error belongs to the step that caused it. While it
    lives, its handler of X errors (one for the whole process) records every error but BadAtom,
    which a display without a window manager raises, instead of ending the process.
*/
class ArdourLinuxVstHost
{
public:
    enum class Reaction
    {
        move,
        sizeAndMapRaised
    };

    ArdourLinuxVstHost (VstHost& plugin, Reaction reaction);
    ~ArdourLinuxVstHost();

    ArdourLinuxVstHost (const ArdourLinuxVstHost&) = delete;
    ArdourLinuxVstHost& operator= (const ArdourLinuxVstHost&) = delete;

    /** A new window, effEditOpen into it, effEditGetRect and the window at that size; false if
        the plug-in did not open its editor.
    */
    bool openEditor();

    /** The events that arrived, with the host's reactions, then effEditIdle. */
    void idle();

    /** effEditClose, and the window destroyed; what the host remembers stays. */
    void closeEditor();

    /** The windows inside the open host window. */
    std::vector<unsigned long> children();

    /** The last window reparented into one of the host's windows; 0 before the first. */
    unsigned long rememberedWindow() const { return remembered; }

    /** The X errors since this host was made, each as "error <code>, request <code>, resource <id>". */
    std::vector<std::string> errors() const;

private:
    void handleEvents();
    void react (int width, int height);

    struct Connection;
    VstHost& plugin;
    const Reaction reaction;
    std::unique_ptr<Connection> connection;
    unsigned long window = 0, remembered = 0;
};
} // namespace tavelin::test
