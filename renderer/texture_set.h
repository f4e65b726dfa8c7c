#pragma once
// The renderer's 18 pictures as mipmapped OpenGL textures, by texture index.

#include <cstddef>

#include "gl_headers.h"

constexpr std::size_t kTextureCount = 18;

// Bitmap resource ids in load order: texture index = position.
extern const int kTextureResourceIds[kTextureCount];

// A 24-bit picture: blue-green-red pixels, bottom row first, rows padded to 4 bytes.
struct TextureBitmap {
    int width = 0;
    int height = 0;
    const void* bgrRows = nullptr;
    void* owner = nullptr;   // whatever the source needs to free the picture
};

// Provided by the platform side: the renderer's own bitmap resources on
// Windows, picture files in the native tests. False when there is no picture.
bool openTextureBitmap(int resourceId, TextureBitmap& bitmap);
void closeTextureBitmap(TextureBitmap& bitmap);

// Requests the 18 names and builds each picture's mipmap chain. A missing
// picture leaves its name without an image, so whatever uses it is drawn
// untextured; the others are unaffected.
void loadTextureSet(GLuint (&textureNames)[kTextureCount]);
