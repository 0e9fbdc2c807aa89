// Polling with the test thread's message loop running.
#include "tests/support/wait.h"

#include "tests/support/target_window.h"

#include <windows.h>

namespace test_support {

bool WaitUntil(const std::function<bool()>& done, Millis timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Sleep(10);
    }
}

} // namespace test_support
