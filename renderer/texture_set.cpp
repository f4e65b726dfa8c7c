#include "texture_set.h"

const int kTextureResourceIds[kTextureCount] = {
    104, 108, 107, 109, 110, 111, 112, 113, 114,
    115, 116, 117, 118, 121, 119, 120, 122, 123,
};

void loadTextureSet(GLuint (&textureNames)[kTextureCount])
{
    glGenTextures(static_cast<GLsizei>(kTextureCount), textureNames);

    for (std::size_t i = 0; i < kTextureCount; ++i) {
        TextureBitmap bitmap;
        if (!openTextureBitmap(kTextureResourceIds[i], bitmap)) continue;

        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, textureNames[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        // GLU scales sides that are not powers of two (the Moon map) first.
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, bitmap.width, bitmap.height, GL_BGR_EXT, GL_UNSIGNED_BYTE,
                          bitmap.bgrRows);

        closeTextureBitmap(bitmap);
    }
}
