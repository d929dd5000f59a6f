#pragma once

#include <functional>

namespace tavelin::test
{
/** Runs the function in a forked child process, which ends with the function's result as its
    exit code, and returns the child's wait status. For what must not happen in the test process
    itself: fatal signals, dropped privileges, resource limits.
*/
int runInChildProcess (const std::function<int()>& function);
} // namespace tavelin::test
