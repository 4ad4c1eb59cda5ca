#pragma once
// Timing: the performance counter in microseconds, and the median of repeated timings.
#include <vector>

// Microseconds from the performance counter.
double NowMicroseconds();
double Median(std::vector<double> values);
