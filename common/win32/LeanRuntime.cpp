// The few pieces of the C++ runtime the program uses, on the process heap, so that the
// static C++ library's allocation and exception machinery stays out of the executable.
// Any failure here is reported like every other platform failure, and ends the process.
#include "PlatformErrorReport.h"

#include <windows.h>

#include <cstddef>
#include <new>

namespace {

[[noreturn]] void Fail(HRESULT hr) { ReportPlatformErrorAndExit({static_cast<std::uint32_t>(hr)}); }

void* Allocate(std::size_t size)
{
    void* p = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!p)
        Fail(E_OUTOFMEMORY);
    return p;
}

void Free(void* p) noexcept
{
    if (p)
        HeapFree(GetProcessHeap(), 0, p);
}

} // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }

namespace std {
[[noreturn]] void __throw_bad_alloc() { Fail(E_OUTOFMEMORY); }
[[noreturn]] void __throw_bad_array_new_length() { Fail(E_OUTOFMEMORY); }
[[noreturn]] void __throw_length_error(const char*) { Fail(E_OUTOFMEMORY); }
[[noreturn]] void __throw_logic_error(const char*) { Fail(E_UNEXPECTED); }
[[noreturn]] void __throw_out_of_range(const char*) { Fail(DISP_E_BADINDEX); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { Fail(DISP_E_BADINDEX); }
[[noreturn]] void __throw_invalid_argument(const char*) { Fail(E_INVALIDARG); }
[[noreturn]] void __throw_bad_optional_access() { Fail(E_UNEXPECTED); }
} // namespace std
