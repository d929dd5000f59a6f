#pragma once

#include <ctime>

namespace tavelin::bench
{
/** The CPU time the calling thread has used, in seconds: what the measured work itself cost,
    however busy the rest of the machine is.
*/
inline double threadCpuSeconds()
{
    timespec now{};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return (double) now.tv_sec + (double) now.tv_nsec * 1.0e-9;
}
} // namespace tavelin::bench
