#include "platform/DetachedProgram.h"

#include <cerrno>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace velk
{
bool DetachedProgram::start (const juce::StringArray& arguments)
{
    // Everything the forked processes use is made before the fork: in a copy of a process with
    // other threads, only async-signal-safe calls are allowed until the program is executed.
    std::vector<std::string> texts;

    for (const auto& argument : arguments)
        texts.push_back (argument.toStdString());

    std::vector<char*> argv;

    for (auto& text : texts)
        argv.push_back (text.data());

    argv.push_back (nullptr);

    const auto intermediate = fork();

    if (intermediate < 0)
        return false;

    if (intermediate == 0)
    {
        const auto program = fork();

        if (program == 0)
        {
            setsid();
            execv (argv[0], argv.data());
            _exit (127);
        }

        _exit (program > 0 ? 0 : 1);
    }

    // Only this child of ours, which ends at once: the host's own children are none of our business.
    int status = 0;

    while (waitpid (intermediate, &status, 0) < 0 && errno == EINTR)
    {
    }

    return WIFEXITED (status) && WEXITSTATUS (status) == 0;
}
} // namespace velk
