// The end of the program when an operation of the window toolkit fails.
#pragma once

#include <string_view>

namespace platform {

// Shows one message saying what failed ("Could not start the timer Timer1.") and ends the
// program with exit code kFailureExitCode. No handler of the program runs afterwards.
[[noreturn]] void EndWithError(std::wstring_view whatFailed);

// The same end when nothing more can be allocated (memory has run out): a report in fixed words.
[[noreturn]] void EndWithFixedError(const wchar_t* text) noexcept;

inline constexpr unsigned kFailureExitCode = 3;

} // namespace platform
