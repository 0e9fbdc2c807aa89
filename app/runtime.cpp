// What the C++ library does when it cannot go on. The program is built without exceptions (the
// machinery that throws and reports them would be most of vorlith.exe): where the library would
// throw, because memory ran out or a string would pass its largest size, the program ends with
// its failure report instead, as an exception that nothing catches would have ended it.
#include "platform/failure.h"

#include <cstdlib>
#include <new>

namespace {

constexpr wchar_t kOutOfMemory[] = L"There is not enough memory.\n\nThe program has to end.";
constexpr wchar_t kFault[] =
    L"The program met a fault it cannot go on from.\n\nThe program has to end.";

} // namespace

// The allocation functions that the C++ library's own would throw from.
void* operator new(std::size_t size) {
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    platform::EndWithFixedError(kOutOfMemory);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

#if defined(__GLIBCXX__)
// libstdc++ throws through these functions (bits/functexcept.h), which a program built without
// exceptions may define for itself; its own would bring the whole machinery back.
namespace std {

void __throw_bad_alloc() {
    platform::EndWithFixedError(kOutOfMemory);
}
void __throw_bad_array_new_length() {
    platform::EndWithFixedError(kOutOfMemory);
}
void __throw_length_error(const char*) {
    platform::EndWithFixedError(kOutOfMemory);
}
void __throw_logic_error(const char*) {
    platform::EndWithFixedError(kFault);
}
void __throw_out_of_range_fmt(const char*, ...) {
    platform::EndWithFixedError(kFault);
}

} // namespace std

// A pure virtual function called: a fault of the program's. The library's own would call
// std::terminate, and bring the machinery along.
extern "C" void __cxa_pure_virtual() {
    platform::EndWithFixedError(kFault);
}
#endif
