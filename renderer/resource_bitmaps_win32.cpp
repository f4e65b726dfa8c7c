// The texture pictures come from the renderer's own bitmap resources.

#include <windows.h>

#include "texture_set.h"

bool openTextureBitmap(int resourceId, TextureBitmap& bitmap)
{
    // A DIB section keeps the rows as stored: 24-bit BGR, bottom row first.
    HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0,
                              LR_CREATEDIBSECTION);
    if (image == nullptr) return false;

    BITMAP info = {};
    if (GetObjectA(image, sizeof(info), &info) != sizeof(info) || info.bmBits == nullptr ||
        info.bmBitsPixel != 24) {
        DeleteObject(image);
        return false;
    }
    bitmap.width = info.bmWidth;
    bitmap.height = info.bmHeight;
    bitmap.bgrRows = info.bmBits;
    bitmap.owner = image;
    return true;
}

void closeTextureBitmap(TextureBitmap& bitmap)
{
    if (bitmap.owner != nullptr) DeleteObject(static_cast<HGDIOBJ>(bitmap.owner));
    bitmap = TextureBitmap();
}
