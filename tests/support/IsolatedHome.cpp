#include "support/IsolatedHome.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace tavelin::test
{
namespace
{
    constexpr auto isolatedMarker = "TAVELIN_ISOLATED_HOME";

    int exitCodeOf (int status)
    {
        if (WIFEXITED (status))
            return WEXITSTATUS (status);

        if (WIFSIGNALED (status))
            return 128 + WTERMSIG (status);

        return 1;
    }
} // namespace

int runInIsolatedHome (int, char** argv)
{
    if (std::getenv (isolatedMarker) != nullptr)
        return -1;

    std::string folder = (std::filesystem::temp_directory_path() / "tavelin-home-XXXXXX").string();

    if (mkdtemp (folder.data()) == nullptr)
    {
        std::perror ("mkdtemp");
        return 1;
    }

    const auto child = fork();

    if (child == 0)
    {
        setenv ("HOME", folder.c_str(), 1);
        setenv (isolatedMarker, folder.c_str(), 1);
        unsetenv ("XDG_CONFIG_HOME");
        execv ("/proc/self/exe", argv);
        std::perror ("execv");
        _exit (127);
    }

    int status = 0;

    while (waitpid (child, &status, 0) < 0 && errno == EINTR)
    {
    }

    std::error_code ignored;
    std::filesystem::remove_all (folder, ignored);
    return exitCodeOf (status);
}
} // namespace tavelin::test
