// Waiting in the driver: for something to be seen, with the driver's own messages running.
#pragma once

#include "tests/support/wait.h"

namespace e2e {

using test_support::kPatience;
using test_support::Millis;
using test_support::WaitUntil;

} // namespace e2e
