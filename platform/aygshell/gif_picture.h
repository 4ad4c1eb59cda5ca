#pragma once
#include <windows.h>

// The first picture of a GIF file in memory, as a top-down 32-bit DIB section of its own size
// and colours; null for a file that is not one, or is damaged. The device's shell decodes its
// image resources with a small library of its own; this is ours.
HBITMAP DecodeGifPicture(const BYTE *pbFile, DWORD cbFile);
