#pragma once

// Pins the deliverables' "today" to a date of the test's choosing while in scope.
class FixedToday
{
public:
    FixedToday(int nYear, int nMonth, int nDay);
    ~FixedToday();
    void Set(int nYear, int nMonth, int nDay);
};
