// Polling with the driver's message loop running.
#include "tests/e2e/wait.h"

#include "tests/support/target_window.h"

#include <windows.h>

namespace e2e {

bool WaitUntil(const std::function<bool()>& done, Millis timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        test_support::PumpMessages();
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        Sleep(10);
    }
}

} // namespace e2e
