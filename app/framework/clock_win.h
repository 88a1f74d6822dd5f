// The one clock of the program: the performance counter, and its frequency
// read once for the whole process (it is fixed at boot).
#pragma once

#include <cstdint>

namespace gkr {

// The performance counter now.
int64_t PerformanceCount();

// Performance-counter ticks per second; always above zero.
int64_t PerformanceFrequency();

}  // namespace gkr
