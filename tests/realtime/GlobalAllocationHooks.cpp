// Replaces the program's global allocation functions so that AllocationCounter sees every heap
// allocation and free, including those JUCE and the standard library make internally.

#include "realtime/AllocationCounter.h"
#include "support/SanitizerRuntime.h"

#include <cerrno>
#include <cstdlib>
#include <new>

using velk::test::AllocationCounter;

bool AllocationCounter::countsMallocFamily() noexcept
{
    return TAVELIN_SANITIZER_RUNTIME == 0;
}

//==============================================================================
// The sanitizers bring their own malloc; there only operator new and delete are counted.
#if !TAVELIN_SANITIZER_RUNTIME
extern "C"
{
    void* __libc_malloc (std::size_t);
    void* __libc_calloc (std::size_t, std::size_t);
    void* __libc_realloc (void*, std::size_t);
    void* __libc_memalign (std::size_t, std::size_t);
    void __libc_free (void*);

    void* malloc (std::size_t size)
    {
        AllocationCounter::noteAllocation();
        return __libc_malloc (size);
    }

    void* calloc (std::size_t count, std::size_t size)
    {
        AllocationCounter::noteAllocation();
        return __libc_calloc (count, size);
    }

    void* realloc (void* pointer, std::size_t size)
    {
        AllocationCounter::noteAllocation();
        return __libc_realloc (pointer, size);
    }

    void* memalign (std::size_t alignment, std::size_t size)
    {
        AllocationCounter::noteAllocation();
        return __libc_memalign (alignment, size);
    }

    void* aligned_alloc (std::size_t alignment, std::size_t size)
    {
        AllocationCounter::noteAllocation();
        return __libc_memalign (alignment, size);
    }

    int posix_memalign (void** result, std::size_t alignment, std::size_t size)
    {
        AllocationCounter::noteAllocation();
        *result = __libc_memalign (alignment, size);
        return *result == nullptr ? ENOMEM : 0;
    }

    void free (void* pointer)
    {
        if (pointer != nullptr)
            AllocationCounter::noteDeallocation();

        __libc_free (pointer);
    }
}
#endif

//==============================================================================
namespace
{
// With malloc counted, operator new is counted there; counting it here too would count twice.
void noteNew() noexcept
{
    if (!AllocationCounter::countsMallocFamily())
        AllocationCounter::noteAllocation();
}

void* allocate (std::size_t size)
{
    noteNew();

    if (auto* pointer = std::malloc (size == 0 ? 1 : size))
        return pointer;

    throw std::bad_alloc();
}

void* allocateAligned (std::size_t size, std::align_val_t alignment)
{
    noteNew();
    void* pointer = nullptr;

    if (posix_memalign (&pointer, static_cast<std::size_t> (alignment), size == 0 ? 1 : size) != 0)
        throw std::bad_alloc();

    return pointer;
}

void release (void* pointer) noexcept
{
    if (pointer != nullptr && !AllocationCounter::countsMallocFamily())
        AllocationCounter::noteDeallocation();

    std::free (pointer);
}
} // namespace

void* operator new (std::size_t size)
{
    return allocate (size);
}
void* operator new[] (std::size_t size)
{
    return allocate (size);
}
void* operator new (std::size_t size, std::align_val_t alignment)
{
    return allocateAligned (size, alignment);
}
void* operator new[] (std::size_t size, std::align_val_t alignment)
{
    return allocateAligned (size, alignment);
}

void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try
    {
        return allocate (size);
    }
    catch (const std::bad_alloc&)
    {
        return nullptr;
    }
}

void* operator new[] (std::size_t size, const std::nothrow_t& tag) noexcept
{
    return operator new (size, tag);
}

void operator delete (void* pointer) noexcept
{
    release (pointer);
}
void operator delete[] (void* pointer) noexcept
{
    release (pointer);
}
void operator delete (void* pointer, std::size_t) noexcept
{
    release (pointer);
}
void operator delete[] (void* pointer, std::size_t) noexcept
{
    release (pointer);
}
void operator delete (void* pointer, std::align_val_t) noexcept
{
    release (pointer);
}
void operator delete[] (void* pointer, std::align_val_t) noexcept
{
    release (pointer);
}
void operator delete (void* pointer, std::size_t, std::align_val_t) noexcept
{
    release (pointer);
}
void operator delete[] (void* pointer, std::size_t, std::align_val_t) noexcept
{
    release (pointer);
}
void operator delete (void* pointer, const std::nothrow_t&) noexcept
{
    release (pointer);
}
void operator delete[] (void* pointer, const std::nothrow_t&) noexcept
{
    release (pointer);
}
