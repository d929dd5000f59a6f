#pragma once

namespace tavelin::test
{
/** Runs the rest of the test program in a child process whose HOME is a fresh temporary folder,
    so no test ever reads or writes the user's real preferences, presets or crash log. Some of
    the plug-in's paths are computed during static initialisation, so the child is a fresh exec
    of this program rather than a setenv() in the running one.

    Returns -1 in the child (the caller goes on running its tests), otherwise the exit code that
    the parent should return; the temporary folder is removed when the child has finished.
*/
int runInIsolatedHome (int argc, char** argv);
} // namespace tavelin::test
