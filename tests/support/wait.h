// Waiting in a test: for something to be seen, with the test thread's own messages running.
#pragma once

#include <chrono>
#include <functional>

namespace test_support {

using Millis = std::chrono::milliseconds;

// How long a change that the program should make may take: many ticks of 50 ms, with room for
// a slow or busy machine. Waits end as soon as the change is seen, so only a failing check
// waits this long.
inline constexpr Millis kPatience{15000};

// Asks done() until it answers true or the timeout passes, running messages between asks.
bool WaitUntil(const std::function<bool()>& done, Millis timeout = kPatience);

} // namespace test_support
