#include "platform/today/today_background.h"

namespace {

// Sky blue at the top fading through white to a faint rose at the bottom.
const COLORREF TOP_COLOR    = RGB(0xC6, 0xDD, 0xF5);
const COLORREF MIDDLE_COLOR = RGB(0xF7, 0xFA, 0xFE);
const COLORREF BOTTOM_COLOR = RGB(0xF6, 0xE1, 0xEA);

int Blend(int a, int b, int nPos, int nRange)
{
    return a + (b - a) * nPos / nRange;
}

COLORREF BlendColor(COLORREF a, COLORREF b, int nPos, int nRange)
{
    if (nRange <= 0)
        return a;
    return RGB(Blend(GetRValue(a), GetRValue(b), nPos, nRange),
               Blend(GetGValue(a), GetGValue(b), nPos, nRange),
               Blend(GetBValue(a), GetBValue(b), nPos, nRange));
}

} // namespace

COLORREF TodayBackgroundAt(int y, int cy)
{
    if (cy < 2)
        return MIDDLE_COLOR;
    if (y < 0)
        y = 0;
    if (y >= cy)
        y = cy - 1;
    int nHalf = cy / 2;
    if (y < nHalf)
        return BlendColor(TOP_COLOR, MIDDLE_COLOR, y, nHalf);
    return BlendColor(MIDDLE_COLOR, BOTTOM_COLOR, y - nHalf, cy - 1 - nHalf);
}

void PaintTodayBackground(HDC hdc, const RECT *prc, POINT ptOrigin, int cyToday)
{
    // One solid band per run of rows of the same colour: a few dozen brushes per paint.
    int y = prc->top;
    while (y < prc->bottom)
    {
        COLORREF cr = TodayBackgroundAt(y + ptOrigin.y, cyToday);
        int yEnd = y + 1;
        while (yEnd < prc->bottom && TodayBackgroundAt(yEnd + ptOrigin.y, cyToday) == cr)
            ++yEnd;
        RECT rcBand = { prc->left, y, prc->right, yEnd };
        HBRUSH hbr = CreateSolidBrush(cr);
        if (hbr)
        {
            FillRect(hdc, &rcBand, hbr);
            DeleteObject(hbr);
        }
        y = yEnd;
    }
}
