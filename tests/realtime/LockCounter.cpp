#include "realtime/LockCounter.h"

#include "support/SanitizerRuntime.h"

#include <pthread.h>

namespace velk::test
{
namespace
{
    thread_local bool armed = false;
    thread_local int locks = 0;
} // namespace

bool LockCounter::countsLocks() noexcept
{
    return TAVELIN_SANITIZER_RUNTIME == 0;
}

void LockCounter::arm() noexcept
{
    locks = 0;
    armed = true;
}

int LockCounter::disarm() noexcept
{
    armed = false;
    return locks;
}
} // namespace velk::test

#if !TAVELIN_SANITIZER_RUNTIME
extern "C"
{
    // glibc exports its own entry point only under an old symbol version.
    __asm__(".symver libcMutexLock,__pthread_mutex_lock@GLIBC_2.2.5");
    int libcMutexLock (pthread_mutex_t*);

    int pthread_mutex_lock (pthread_mutex_t* mutex)
    {
        velk::test::locks += velk::test::armed ? 1 : 0;
        return libcMutexLock (mutex);
    }
}
#endif
