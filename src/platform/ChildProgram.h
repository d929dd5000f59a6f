#pragma once

#include <juce_core/juce_core.h>

#include <sys/types.h>

namespace velk
{
/** A program run as a child of the host's process: the one way the plug-in starts a program.

    The program gets what a program started from a shell gets: stdin, stdout and stderr, the
    environment and the working directory. None of the host's other descriptors (its audio
    device, session files, sockets, the ends of its pipes) stay open in it, whether or not the
    host asked for close-on-exec, and every signal is at its default action with none blocked,
    whatever the host ignores or blocks. posix_spawn starts it without copying the host's memory
    and changes nothing in the host's process.

    The framework's ChildProcess leaves all of that in the program, and a program that it kills
    stays in the host as a defunct child. This one is waited for once it has been seen to end, and
    a program still running when this object goes is killed and waited for. Use it from one thread.
*/
class ChildProgram
{
public:
    /** Where the program's stdout goes: the host's own, or a pipe that readOutput() reads. */
    enum class Output
    {
        host,
        captured
    };

    ChildProgram() = default;

    /** Kills the program unless it has been seen to end, and waits for it. */
    ~ChildProgram();

    /** Runs arguments[0] (looked up on PATH unless it is a path) with the other arguments.
        Whether it was started; call this once.
    */
    bool start (const juce::StringArray& arguments, Output output = Output::host);

    /** Whether the program has ended (or was never started); once it has, it has been waited for. */
    bool hasEnded();

    /** Waits for the program to end. */
    void waitUntilEnded();

    /** What a program whose output was captured has written to its stdout, once it has ended.
        The pipe holds 64 KiB, far more than the line expected of the programs run this way.
    */
    juce::String readOutput();

private:
    //==============================================================================
    bool collect (int waitOptions);

    //==============================================================================
    pid_t id = -1;
    bool ended = false;
    int outputEnd = -1;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ChildProgram)
};
} // namespace velk
