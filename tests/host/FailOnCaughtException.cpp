// Linked into every test program that runs host windows: an exception the
// host stops at a window procedure (and reports) fails the running test,
// so a fault in a handler cannot pass unseen.
#include <gtest/gtest.h>

#include "host/CaughtExceptions.h"

namespace {
const bool kInstalled = [] {
  host::SetCaughtExceptionHook([](const std::string& report) { ADD_FAILURE() << report; });
  return true;
}();
}  // namespace
