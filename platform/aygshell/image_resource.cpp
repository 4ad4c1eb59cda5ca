#include <aygshell.h>
#include "platform/aygshell/gif_picture.h"

// The shell keeps every image resource under the custom type "GIF".
#define IMAGE_RESOURCE_TYPE L"GIF"

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
    return DecodeGifPicture(pbFile, cbFile);
}
