// The texture pictures come from the bitmap files compiled into the program.

#include "embedded_pictures.h"

#include "bitmap_bytes.h"
#include "texture_set.h"

bool openTextureBitmap(int resourceId, TextureBitmap& bitmap)
{
    for (std::size_t i = 0; i < kEmbeddedPictureCount; ++i) {
        const EmbeddedPicture& picture = kEmbeddedPictures[i];
        if (picture.resourceId == resourceId) return readBitmapBytes(picture.bytes, picture.size, bitmap);
    }
    return false;
}

void closeTextureBitmap(TextureBitmap& bitmap)
{
    // The rows belong to the program image: nothing to free.
    bitmap = TextureBitmap();
}
