// The process heap serves every allocation, so that nothing of the C++ library's
// allocator (and its exceptions) is linked in. Running out of memory ends the program
// with the platform's error report.
#include <windows.h>

#include <cstddef>
#include <new>

namespace {

void* Allocate(std::size_t size)
{
    void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!block)
        RaiseException(STATUS_NO_MEMORY, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return block;
}

void Free(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, std::size_t) noexcept { Free(block); }
void operator delete[](void* block, std::size_t) noexcept { Free(block); }
