#pragma once

#include <juce_core/juce_core.h>

namespace velk
{
/** Starts programs that run on by themselves, such as the desktop's file manager, and that the
    host never has to wait for.

    The framework forks such a program and never waits for it, so each one stays in the host as
    a defunct child until the host exits. Here setsid starts the program in a session of its own
    and ends at once; this call waits for it, so the program itself is never the host's child
    and goes on after the editor and the host have gone. setsid is a ChildProgram: neither it nor
    the program takes the host's descriptors or signal handling.
*/
class DetachedProgram
{
public:
    /** Runs the program at the absolute path arguments[0] with the other arguments, and
        returns once it has been started.
    */
    static void start (const juce::StringArray& arguments);
};
} // namespace velk
