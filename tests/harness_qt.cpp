#include "harness.h"

// Filled in once the Qt window exists.
std::unique_ptr<Harness> makeQtHarness() { return std::make_unique<MemoryHarness>(); }
