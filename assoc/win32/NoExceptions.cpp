// The program is built without exceptions. The C++ library still names the functions
// that would throw; defining them here keeps its exception machinery (and the unwinder,
// type data and demangler behind it) out of the executable. Each ends the program with
// the platform's error report, as an exception that nobody catches would.
#include <windows.h>

#include <new>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(DWORD code)
{
    RaiseException(code, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    __builtin_unreachable();
}

constexpr DWORD kLibraryFault = 0xE0000001;  // a customer-defined code: not the system's

} // namespace

namespace std {
void __throw_bad_alloc() { Fail(STATUS_NO_MEMORY); }
void __throw_bad_array_new_length() { Fail(STATUS_NO_MEMORY); }
void __throw_length_error(const char*) { Fail(kLibraryFault); }
void __throw_logic_error(const char*) { Fail(kLibraryFault); }
void __throw_out_of_range_fmt(const char*, ...) { Fail(kLibraryFault); }
} // namespace std
