#include "platform/aygshell/gif_picture.h"

// Sides beyond this are a damaged file, not a picture for a 240 x 320 screen; it also keeps
// the size of the pixel buffer within a UINT.
#define GIF_MAX_SIDE        0x4000
#define GIF_MAX_CODE_BITS   12
#define GIF_MAX_CODES       (1 << GIF_MAX_CODE_BITS)
#define GIF_EXTENSION       0x21
#define GIF_CONTROL         0xF9    // the extension that may name a transparent colour
#define GIF_TRANSPARENT     0x01
#define GIF_IMAGE           0x2C
#define GIF_TRAILER         0x3B
#define GIF_HAS_TABLE       0x80
#define GIF_INTERLACED      0x40
#define GIF_TABLE_BITS      0x07

namespace {

// The file's bytes, read front to back; reading past the end gives 0 and marks the reader.
struct Reader
{
    const BYTE *pb;
    DWORD cb;
    DWORD nAt;
    bool bShort;

    BYTE Byte()
    {
        if (nAt >= cb)
        {
            bShort = true;
            return 0;
        }
        return pb[nAt++];
    }
    UINT Word()
    {
        UINT nLow = Byte();
        return nLow | (Byte() << 8);
    }
    void Skip(DWORD n)
    {
        if (n > cb - nAt)
        {
            bShort = true;
            nAt = cb;
            return;
        }
        nAt += n;
    }
    // Data sub-blocks up to their empty terminator.
    void SkipBlocks()
    {
        for (BYTE n = Byte(); n && !bShort; n = Byte())
            Skip(n);
    }
};

// The codes of the image data, least significant bit first, across its sub-blocks.
struct CodeReader
{
    Reader *pFile;
    DWORD nBlockLeft;
    DWORD dwBits;
    int nBits;
    bool bEnd;

    int Code(int nWidth)
    {
        while (nBits < nWidth)
        {
            if (!nBlockLeft)
            {
                nBlockLeft = bEnd ? 0 : pFile->Byte();
                if (!nBlockLeft || pFile->bShort)
                {
                    bEnd = true;
                    return -1;
                }
            }
            dwBits |= (DWORD)pFile->Byte() << nBits;
            nBits += 8;
            nBlockLeft--;
        }
        int nCode = (int)(dwBits & ((1u << nWidth) - 1));
        dwBits >>= nWidth;
        nBits -= nWidth;
        return nCode;
    }
    // What is left of the image data once the picture is whole.
    void SkipRest()
    {
        if (bEnd)
            return;
        pFile->Skip(nBlockLeft);
        pFile->SkipBlocks();
    }
};

// The row that the nth row of the data fills: in order, or in the four passes of an interlaced
// picture (every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1).
UINT TargetRow(UINT nRow, UINT cy, bool bInterlaced)
{
    if (!bInterlaced)
        return nRow;
    static const UINT FIRST[] = { 0, 4, 2, 1 }, STEP[] = { 8, 8, 4, 2 };
    for (int nPass = 0; nPass < 4; nPass++)
    {
        UINT nInPass = (cy - FIRST[nPass] + STEP[nPass] - 1) / STEP[nPass];
        if (cy <= FIRST[nPass])
            nInPass = 0;
        if (nRow < nInPass)
            return FIRST[nPass] + nRow * STEP[nPass];
        nRow -= nInPass;
    }
    return 0;
}

// The dictionary of an LZW stream: each code is an earlier code and one more index.
struct Dictionary
{
    WORD anPrefix[GIF_MAX_CODES];
    BYTE anLast[GIF_MAX_CODES];
    BYTE anFirst[GIF_MAX_CODES];
    WORD anLength[GIF_MAX_CODES];
};

// Decodes the LZW data into cx * cy palette indexes, row by row into their places; false when
// the data is not LZW of this width. A stream that ends early leaves the rest at index 0.
bool DecodeIndexes(Reader *pFile, UINT cx, UINT cy, bool bInterlaced, BYTE *pbIndexes)
{
    int nMinBits = pFile->Byte();
    if (nMinBits < 2 || nMinBits > 8)
        return false;
    Dictionary *pDict = (Dictionary *)HeapAlloc(GetProcessHeap(), 0, sizeof(Dictionary));
    BYTE *pbString = (BYTE *)HeapAlloc(GetProcessHeap(), 0, GIF_MAX_CODES);
    bool bOk = pDict && pbString;
    const int nClear = 1 << nMinBits, nEnd = nClear + 1;
    for (int i = 0; bOk && i < nClear; i++)
    {
        pDict->anLast[i] = pDict->anFirst[i] = (BYTE)i;
        pDict->anLength[i] = 1;
    }
    CodeReader codes = { pFile, 0, 0, 0, false };
    int nWidth = nMinBits + 1, nNext = nEnd + 1, nPrevious = -1;
    UINT nPixel = 0, nPixels = cx * cy;
    while (bOk && nPixel < nPixels)
    {
        int nCode = codes.Code(nWidth);
        if (nCode < 0 || nCode == nEnd)
            break;
        if (nCode == nClear)
        {
            nWidth = nMinBits + 1;
            nNext = nEnd + 1;
            nPrevious = -1;
            continue;
        }
        int nString = nCode;
        if (nCode >= nNext)
        {
            // The one code not yet defined: the previous string and its own first index.
            if (nCode != nNext || nPrevious < 0)
            {
                bOk = false;
                break;
            }
            nString = nPrevious;
        }
        if (nPrevious >= 0 && nNext < GIF_MAX_CODES)
        {
            pDict->anPrefix[nNext] = (WORD)nPrevious;
            pDict->anFirst[nNext] = pDict->anFirst[nPrevious];
            pDict->anLast[nNext] = pDict->anFirst[nString];
            pDict->anLength[nNext] = (WORD)(pDict->anLength[nPrevious] + 1);
            nNext++;
            if (nNext == (1 << nWidth) && nWidth < GIF_MAX_CODE_BITS)
                nWidth++;
        }
        // The string of the code, last index first, then out in order.
        int nLength = pDict->anLength[nCode];
        for (int i = nLength - 1, c = nCode; i >= 0; i--, c = pDict->anPrefix[c])
            pbString[i] = pDict->anLast[c];
        for (int i = 0; i < nLength && nPixel < nPixels; i++, nPixel++)
            pbIndexes[TargetRow(nPixel / cx, cy, bInterlaced) * cx + nPixel % cx] = pbString[i];
        nPrevious = nCode;
    }
    codes.SkipRest();
    if (pDict)
        HeapFree(GetProcessHeap(), 0, pDict);
    if (pbString)
        HeapFree(GetProcessHeap(), 0, pbString);
    return bOk;
}

// The palette's colours as the DIB wants them, blue first; a missing entry is black.
void ReadPalette(Reader *pFile, BYTE bFlags, DWORD *pdwColors)
{
    if (!(bFlags & GIF_HAS_TABLE))
        return;
    int nEntries = 2 << (bFlags & GIF_TABLE_BITS);
    for (int i = 0; i < nEntries; i++)
    {
        DWORD dwRed = pFile->Byte(), dwGreen = pFile->Byte(), dwBlue = pFile->Byte();
        pdwColors[i] = 0xFF000000 | (dwRed << 16) | (dwGreen << 8) | dwBlue;
    }
}

HBITMAP MakeBitmap(UINT cx, UINT cy, const BYTE *pbIndexes, const DWORD *pdwColors)
{
    BITMAPINFO bmi;
    ZeroMemory(&bmi, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = (LONG)cx;
    bmi.bmiHeader.biHeight = -(LONG)cy;     // top row first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void *pvBits = NULL;
    HBITMAP hbm = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    if (hbm && !pvBits)
    {
        DeleteObject(hbm);
        return NULL;
    }
    DWORD *pdwPixels = (DWORD *)pvBits;
    for (UINT i = 0; hbm && i < cx * cy; i++)
        pdwPixels[i] = pdwColors[pbIndexes[i]];
    return hbm;
}

}  // namespace

HBITMAP DecodeGifPicture(const BYTE *pbFile, DWORD cbFile)
{
    Reader file = { pbFile, cbFile, 0, false };
    BYTE abSignature[6];
    for (BYTE &b : abSignature)
        b = file.Byte();
    if (file.bShort || abSignature[0] != 'G' || abSignature[1] != 'I' || abSignature[2] != 'F')
        return NULL;
    file.Skip(4);                           // the screen's size: each picture has its own
    BYTE bScreenFlags = file.Byte();
    file.Skip(2);                           // background colour and pixel aspect
    DWORD adwGlobal[256], adwColors[256];
    ZeroMemory(adwGlobal, sizeof(adwGlobal));
    ReadPalette(&file, bScreenFlags, adwGlobal);

    // Of the extensions only the transparent colour matters: it keeps its colour with no opacity,
    // as the system's decoder leaves it. Comments and timing change nothing for the first picture.
    int nTransparent = -1;
    for (BYTE bBlock = file.Byte(); !file.bShort && bBlock != GIF_TRAILER; bBlock = file.Byte())
    {
        if (bBlock == GIF_EXTENSION)
        {
            BYTE bLabel = file.Byte();
            DWORD nStart = file.nAt;
            if (bLabel == GIF_CONTROL && file.Byte() >= 4)
            {
                BYTE bControl = file.Byte();
                file.Skip(2);
                BYTE bIndex = file.Byte();
                nTransparent = (bControl & GIF_TRANSPARENT) ? bIndex : -1;
            }
            file.nAt = nStart;
            file.SkipBlocks();
            continue;
        }
        if (bBlock != GIF_IMAGE)
            return NULL;
        file.Skip(4);                       // its place on the screen
        UINT cx = file.Word(), cy = file.Word();
        BYTE bFlags = file.Byte();
        if (file.bShort || cx == 0 || cy == 0 || cx > GIF_MAX_SIDE || cy > GIF_MAX_SIDE)
            return NULL;
        CopyMemory(adwColors, adwGlobal, sizeof(adwColors));
        ReadPalette(&file, bFlags, adwColors);
        if (nTransparent >= 0)
            adwColors[nTransparent] &= 0x00FFFFFF;
        BYTE *pbIndexes = (BYTE *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, cx * cy);
        HBITMAP hbm = NULL;
        if (pbIndexes && DecodeIndexes(&file, cx, cy, (bFlags & GIF_INTERLACED) != 0, pbIndexes) && !file.bShort)
            hbm = MakeBitmap(cx, cy, pbIndexes, adwColors);
        if (pbIndexes)
            HeapFree(GetProcessHeap(), 0, pbIndexes);
        return hbm;
    }
    return NULL;
}
