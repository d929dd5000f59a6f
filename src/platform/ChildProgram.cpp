#include "platform/ChildProgram.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace velk
{
namespace
{
    // A killed program ends at once; this only bounds the wait should the system stall it.
    constexpr juce::uint32 reapTimeoutMs = 1000;

    pid_t spawn (const juce::StringArray& arguments, int standardOutput)
    {
        std::vector<std::string> texts;

        for (const auto& argument : arguments)
            texts.push_back (argument.toStdString());

        std::vector<char*> argv;

        for (auto& text : texts)
            argv.push_back (text.data());

        argv.push_back (nullptr);

        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init (&files);

        if (standardOutput != STDOUT_FILENO)
            posix_spawn_file_actions_adddup2 (&files, standardOutput, STDOUT_FILENO);

        // A descriptor left in a program that outlives the host keeps a device, a file or a
        // socket of the host's open, and the other end of a pipe waiting for its end-of-file.
        posix_spawn_file_actions_addclosefrom_np (&files, STDERR_FILENO + 1);

        // Hosts often ignore SIGPIPE or block signals they take on a thread of their own; a
        // program that kept either would hand it on to everything it starts. sigfillset leaves
        // out the two signals that glibc keeps for itself, which posix_spawn then leaves ignored
        // in the program: a set with every bit takes those to their defaults as well.
        sigset_t allSignals, noSignals;
        std::memset (&allSignals, 0xff, sizeof (allSignals));
        sigemptyset (&noSignals);

        posix_spawnattr_t attributes;
        posix_spawnattr_init (&attributes);
        posix_spawnattr_setsigdefault (&attributes, &allSignals);
        posix_spawnattr_setsigmask (&attributes, &noSignals);
        posix_spawnattr_setflags (&attributes, (short) (POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK));

        pid_t id = -1;
        const auto result = posix_spawnp (&id, argv[0], &files, &attributes, argv.data(), environ);

        posix_spawnattr_destroy (&attributes);
        posix_spawn_file_actions_destroy (&files);
        return result == 0 ? id : -1;
    }
} // namespace

ChildProgram::~ChildProgram()
{
    if (!hasEnded())
    {
        kill (id, SIGKILL);
        const auto deadline = juce::Time::getMillisecondCounter() + reapTimeoutMs;

        while (!hasEnded() && juce::Time::getMillisecondCounter() < deadline)
            juce::Thread::sleep (1);
    }

    if (outputEnd >= 0)
        close (outputEnd);
}

//==============================================================================
bool ChildProgram::start (const juce::StringArray& arguments, Output output)
{
    if (output == Output::host)
        return (id = spawn (arguments, STDOUT_FILENO)) > 0;

    // Close-on-exec: a program that the host starts meanwhile, on any thread, never holds our end.
    int ends[2];

    if (pipe2 (ends, O_CLOEXEC) != 0)
        return false;

    id = spawn (arguments, ends[1]);
    close (ends[1]);

    // Whatever the program has started may hold its copy of the other end after it has ended:
    // reading takes what is there rather than waiting for an end-of-file.
    outputEnd = ends[0];
    fcntl (outputEnd, F_SETFL, O_NONBLOCK);
    return id > 0;
}

bool ChildProgram::hasEnded()
{
    return id <= 0 || collect (WNOHANG);
}

void ChildProgram::waitUntilEnded()
{
    if (id > 0)
        collect (0);
}

juce::String ChildProgram::readOutput()
{
    juce::MemoryOutputStream output;
    char buffer[512];

    for (ssize_t count = 0; (count = read (outputEnd, buffer, sizeof (buffer))) > 0;)
        output.write (buffer, (size_t) count);

    return output.toString();
}

//==============================================================================
bool ChildProgram::collect (int waitOptions)
{
    if (ended)
        return true;

    pid_t result = 0;

    while ((result = waitpid (id, nullptr, waitOptions)) < 0 && errno == EINTR)
    {
    }

    // No such child: a host that ignores SIGCHLD has the system collect its children.
    ended = result == id || (result < 0 && errno == ECHILD);
    return ended;
}
} // namespace velk
