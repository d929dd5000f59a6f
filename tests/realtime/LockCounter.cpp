#include "realtime/LockCounter.h"

#include <pthread.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    #define TAVELIN_COUNT_LOCKS 0
#elif defined(__has_feature)
    #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
        #define TAVELIN_COUNT_LOCKS 0
    #endif
#endif

#ifndef TAVELIN_COUNT_LOCKS
    #define TAVELIN_COUNT_LOCKS 1
#endif

namespace velk::test
{
namespace
{
    thread_local bool armed = false;
    thread_local int locks = 0;
} // namespace

bool LockCounter::countsLocks() noexcept
{
    return TAVELIN_COUNT_LOCKS != 0;
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

#if TAVELIN_COUNT_LOCKS
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
