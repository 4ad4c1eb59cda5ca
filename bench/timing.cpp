// The performance counter in microseconds, and medians.
#include "bench/timing.h"
#include <windows.h>
#include <algorithm>

double NowMicroseconds()
{
    static LARGE_INTEGER s_frequency = { { 0, 0 } };
    if (!s_frequency.QuadPart)
        QueryPerformanceFrequency(&s_frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1e6 / (double)s_frequency.QuadPart;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
