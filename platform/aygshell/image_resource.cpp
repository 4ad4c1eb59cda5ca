#include <aygshell.h>
#include <wincodec.h>

// The shell keeps every image resource under the custom type "GIF".
#define IMAGE_RESOURCE_TYPE L"GIF"
// Sides beyond this are a damaged file, not a picture for a 240 x 320 screen; it also keeps
// the size of the pixel buffer within a UINT.
#define IMAGE_MAX_SIDE      0x4000
#define IMAGE_BYTES_PER_PIXEL 4

template <class T> static void SafeRelease(T **ppItf)
{
    if (*ppItf)
        (*ppItf)->Release();
    *ppItf = NULL;
}

// A top-down 32-bit DIB section holding the frame's pixels, as the shell hands out a bitmap.
static HBITMAP BitmapFromFrame(IWICImagingFactory *pFactory, IWICBitmapFrameDecode *pFrame)
{
    IWICFormatConverter *pConverter = NULL;
    UINT cx = 0, cy = 0;
    HBITMAP hbm = NULL;
    HRESULT hr = pFactory->CreateFormatConverter(&pConverter);
    if (SUCCEEDED(hr))
        hr = pConverter->Initialize(pFrame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                    NULL, 0.0, WICBitmapPaletteTypeCustom);
    if (SUCCEEDED(hr))
        hr = pConverter->GetSize(&cx, &cy);
    if (SUCCEEDED(hr) && cx > 0 && cy > 0 && cx <= IMAGE_MAX_SIDE && cy <= IMAGE_MAX_SIDE)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
        bmi.bmiHeader.biWidth = (LONG)cx;
        bmi.bmiHeader.biHeight = -(LONG)cy;     // top row first, as the decoder copies them
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 8 * IMAGE_BYTES_PER_PIXEL;
        bmi.bmiHeader.biCompression = BI_RGB;
        void *pvBits = NULL;
        hbm = CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
        UINT cbStride = cx * IMAGE_BYTES_PER_PIXEL;
        if (hbm && (!pvBits || FAILED(pConverter->CopyPixels(NULL, cbStride, cbStride * cy, (BYTE *)pvBits))))
        {
            DeleteObject(hbm);
            hbm = NULL;
        }
    }
    SafeRelease(&pConverter);
    return hbm;
}

// The first frame of the picture file in memory, through the system's imaging codecs.
static HBITMAP DecodePicture(const BYTE *pbFile, DWORD cbFile)
{
    IWICImagingFactory *pFactory = NULL;
    IWICStream *pStream = NULL;
    IWICBitmapDecoder *pDecoder = NULL;
    IWICBitmapFrameDecode *pFrame = NULL;
    HBITMAP hbm = NULL;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, (void **)&pFactory);
    if (SUCCEEDED(hr))
        hr = pFactory->CreateStream(&pStream);
    if (SUCCEEDED(hr))      // the stream only reads the resource's bytes
        hr = pStream->InitializeFromMemory(const_cast<BYTE *>(pbFile), cbFile);
    // The shell's image resources are GIF files: their decoder is made directly rather than
    // picked by the stream's first bytes, a search through every registered decoder that costs
    // Wine a dozen milliseconds of registry reads.
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(CLSID_WICGifDecoder, NULL, CLSCTX_INPROC_SERVER, IID_IWICBitmapDecoder,
                              (void **)&pDecoder);
    if (SUCCEEDED(hr))
        hr = pDecoder->Initialize(pStream, WICDecodeMetadataCacheOnDemand);
    if (SUCCEEDED(hr))
        hr = pDecoder->GetFrame(0, &pFrame);
    if (SUCCEEDED(hr))
        hbm = BitmapFromFrame(pFactory, pFrame);
    SafeRelease(&pFrame);
    SafeRelease(&pDecoder);
    SafeRelease(&pStream);
    SafeRelease(&pFactory);
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

    // The programs start COM before their first picture. A caller that has not still gets its
    // picture, and finds COM as it left it; a thread in another apartment keeps its own.
    HRESULT hrInit = CoInitializeEx(NULL, COINIT_MULTITHREADED);
    HBITMAP hbm = DecodePicture(pbFile, cbFile);
    if (SUCCEEDED(hrInit))
        CoUninitialize();
    return hbm;
}
