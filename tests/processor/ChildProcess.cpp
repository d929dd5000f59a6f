#include "ChildProcess.h"

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

namespace tavelin::test
{
int runInChildProcess (const std::function<int()>& function)
{
    const auto child = fork();

    if (child == 0)
        _exit (function());

    int status = 0;

    while (waitpid (child, &status, 0) < 0 && errno == EINTR)
    {
    }

    return status;
}
} // namespace tavelin::test
