#pragma once

// Whether the program runs on a sanitizer's runtime that brings its own allocator and wraps the
// mutex functions (AddressSanitizer, ThreadSanitizer): a test program cannot stand in for them
// there. gcc tells it by __SANITIZE_ADDRESS__ and __SANITIZE_THREAD__, clang by __has_feature.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    #define TAVELIN_SANITIZER_RUNTIME 1
#elif defined(__has_feature)
    #if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
        #define TAVELIN_SANITIZER_RUNTIME 1
    #endif
#endif

#ifndef TAVELIN_SANITIZER_RUNTIME
    #define TAVELIN_SANITIZER_RUNTIME 0
#endif
