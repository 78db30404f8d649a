// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// Counts the bytes the process has taken from malloc and their highest point, for benchmarks that report what
// an operation costs in memory. Linking HeapPeak.cpp puts its counting malloc in place of the C library's.
namespace heap {

// Starts counting the peak afresh from what is taken now.
void resetPeak();
// How far the bytes taken rose above what was taken at the last resetPeak().
std::size_t peakGrowth();

} // namespace heap
