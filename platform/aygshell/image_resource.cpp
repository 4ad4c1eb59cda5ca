#include <aygshell.h>

// The shell keeps every image resource under the custom type "GIF", whatever its format.
#define IMAGE_RESOURCE_TYPE L"GIF"
#define BMP_SIGNATURE       0x4D42      // "BM"
#define BMP_MAX_SIDE        0x4000

static DWORD ColourTableBytes(const BITMAPINFOHEADER &bih)
{
    DWORD nColours = bih.biClrUsed;
    if (nColours == 0 && bih.biBitCount <= 8)
        nColours = 1u << bih.biBitCount;
    DWORD cbMasks = (bih.biCompression == BI_BITFIELDS && bih.biSize == sizeof(BITMAPINFOHEADER)) ? 3 * sizeof(DWORD) : 0;
    return cbMasks + nColours * sizeof(RGBQUAD);
}

static BOOL IsSupportedBmp(const BITMAPINFOHEADER &bih)
{
    if (bih.biSize < sizeof(BITMAPINFOHEADER) || bih.biPlanes != 1)
        return FALSE;
    if (bih.biWidth <= 0 || bih.biWidth > BMP_MAX_SIDE || bih.biHeight == 0 ||
        bih.biHeight > BMP_MAX_SIDE || bih.biHeight < -BMP_MAX_SIDE)
        return FALSE;
    if (bih.biCompression != BI_RGB && bih.biCompression != BI_BITFIELDS)
        return FALSE;
    if (bih.biBitCount <= 8 && bih.biClrUsed > (1u << bih.biBitCount))
        return FALSE;
    switch (bih.biBitCount)
    {
    case 1: case 4: case 8: case 16: case 24: case 32:
        return TRUE;
    }
    return FALSE;
}

// A BMP file image (file header, then the device-independent bitmap) as a DIB section.
static HBITMAP BitmapFromBmpFile(const BYTE *pbFile, DWORD cbFile)
{
    BITMAPFILEHEADER bfh;
    BITMAPINFOHEADER bih;
    if (cbFile < sizeof(bfh) + sizeof(bih))
        return NULL;
    CopyMemory(&bfh, pbFile, sizeof(bfh));
    CopyMemory(&bih, pbFile + sizeof(bfh), sizeof(bih));
    if (bfh.bfType != BMP_SIGNATURE || !IsSupportedBmp(bih))
        return NULL;

    DWORD cbStride = ((DWORD)bih.biWidth * bih.biBitCount + 31) / 32 * 4;
    DWORD cbBits = cbStride * (DWORD)(bih.biHeight < 0 ? -bih.biHeight : bih.biHeight);
    DWORD cbInfo = bfh.bfOffBits - sizeof(bfh);
    if (bfh.bfOffBits < sizeof(bfh) + bih.biSize || bfh.bfOffBits > cbFile ||
        cbFile - bfh.bfOffBits < cbBits || cbInfo < bih.biSize + ColourTableBytes(bih))
        return NULL;

    // The header sits two bytes off a four-byte boundary in the file: give GDI an aligned copy.
    BITMAPINFO *pbmi = (BITMAPINFO *)HeapAlloc(GetProcessHeap(), 0, cbInfo);
    if (!pbmi)
        return NULL;
    CopyMemory(pbmi, pbFile + sizeof(bfh), cbInfo);
    void *pvBits = NULL;
    HBITMAP hbm = CreateDIBSection(NULL, pbmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hbm && pvBits)
        CopyMemory(pvBits, pbFile + bfh.bfOffBits, cbBits);
    HeapFree(GetProcessHeap(), 0, pbmi);
    return hbm;
}

HBITMAP WINAPI SHLoadImageResource(HINSTANCE hinst, UINT uIdImageFile)
{
    HRSRC hRes = FindResourceW(hinst, MAKEINTRESOURCEW(uIdImageFile), IMAGE_RESOURCE_TYPE);
    if (!hRes)
        return NULL;
    DWORD cbFile = SizeofResource(hinst, hRes);
    HGLOBAL hData = LoadResource(hinst, hRes);
    const BYTE *pbFile = hData ? (const BYTE *)LockResource(hData) : NULL;
    if (!pbFile)
        return NULL;
    return BitmapFromBmpFile(pbFile, cbFile);
}
