// Written by resources/gen/make_images.sh with the pictures beside it: do not edit.
// Each month picture's size and the colour (0xRRGGBB) at a few of its points, as ImageMagick
// reads them back from the GIF file: one table per density, each in the order of the resource
// identifiers.
#pragma once

struct MonthPicturePoint { int x, y; unsigned long rgb; };
struct MonthPictureSource { const char *pszFile; int cx, cy; MonthPicturePoint points[6]; };

static const MonthPictureSource MONTH_PICTURE_SOURCES[] = {
    { "month01.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xFCE4EC }, { 22, 19, 0xF48FB1 }, { 197, 19, 0xF48FB1 }, { 160, 82, 0xF48FB1 }, { 66, 86, 0xFFFFFF } } },
    { "month03.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xFFF8E1 }, { 22, 19, 0xFFCA28 }, { 197, 19, 0xFFCA28 }, { 160, 82, 0xFFCA28 }, { 66, 86, 0xFFEB3B } } },
    { "month04.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xFBE9E7 }, { 22, 19, 0xFF8A65 }, { 197, 19, 0xFF8A65 }, { 160, 82, 0xFF8A65 }, { 66, 86, 0xE53935 } } },
    { "month05.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xFFFDE7 }, { 22, 19, 0xFDD835 }, { 197, 19, 0xFDD835 }, { 160, 82, 0xFDD835 }, { 66, 86, 0xFFFFFF } } },
    { "month06.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xF1F8E9 }, { 22, 19, 0xAED581 }, { 197, 19, 0xAED581 }, { 160, 82, 0xAED581 }, { 66, 86, 0xFFEB3B } } },
    { "month07.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xF3E5F5 }, { 22, 19, 0xCE93D8 }, { 197, 19, 0xCE93D8 }, { 160, 82, 0xCE93D8 }, { 66, 86, 0x6A1B9A } } },
    { "month08.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xFFF3E0 }, { 22, 19, 0xFFB74D }, { 197, 19, 0xFFB74D }, { 160, 82, 0xFFB74D }, { 66, 86, 0xFFB300 } } },
    { "month09.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xF9FBE7 }, { 22, 19, 0xD4E157 }, { 197, 19, 0xD4E157 }, { 160, 82, 0xD4E157 }, { 66, 86, 0xE7EEA1 } } },
    { "month10.gif", 220, 170, { { 0, 0, 0xFFFFFF }, { 5, 85, 0xE8F5E9 }, { 22, 19, 0x81C784 }, { 197, 19, 0x81C784 }, { 160, 82, 0x81C784 }, { 66, 86, 0x43A047 } } },
};

static const MonthPictureSource MONTH_PICTURE_SOURCES_192[] = {
    { "month01-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xFCE4EC }, { 44, 38, 0xF48FB1 }, { 394, 38, 0xF48FB1 }, { 320, 164, 0xF48FB1 }, { 132, 172, 0xFFFFFF } } },
    { "month03-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xFFF8E1 }, { 44, 38, 0xFFCA28 }, { 394, 38, 0xFFCA28 }, { 320, 164, 0xFFCA28 }, { 132, 172, 0xFFEB3B } } },
    { "month04-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xFBE9E7 }, { 44, 38, 0xFF8A65 }, { 394, 38, 0xFF8A65 }, { 320, 164, 0xFF8A65 }, { 132, 172, 0xE53935 } } },
    { "month05-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xFFFDE7 }, { 44, 38, 0xFDD835 }, { 394, 38, 0xFDD835 }, { 320, 164, 0xFDD835 }, { 132, 172, 0xFFFFFF } } },
    { "month06-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xF1F8E9 }, { 44, 38, 0xAED581 }, { 394, 38, 0xAED581 }, { 320, 164, 0xAED581 }, { 132, 172, 0xFFEB3B } } },
    { "month07-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xF3E5F5 }, { 44, 38, 0xCE93D8 }, { 394, 38, 0xCE93D8 }, { 320, 164, 0xCE93D8 }, { 132, 172, 0x6A1B9A } } },
    { "month08-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xFFF3E0 }, { 44, 38, 0xFFB74D }, { 394, 38, 0xFFB74D }, { 320, 164, 0xFFB74D }, { 132, 172, 0xFFB300 } } },
    { "month09-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xF9FBE7 }, { 44, 38, 0xD4E157 }, { 394, 38, 0xD4E157 }, { 320, 164, 0xD4E157 }, { 132, 172, 0xF0F4C3 } } },
    { "month10-192.gif", 440, 340, { { 0, 0, 0xFFFFFF }, { 10, 170, 0xE8F5E9 }, { 44, 38, 0x81C784 }, { 394, 38, 0x81C784 }, { 320, 164, 0x81C784 }, { 132, 172, 0x43A047 } } },
};
