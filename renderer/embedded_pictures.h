#pragma once
// The picture files compiled into the Linux program, by bitmap resource id,
// so the program is one file. The table is generated at build time from the
// resource script's BITMAP lines (cmake/embed_pictures.cmake).

#include <cstddef>

struct EmbeddedPicture {
    int resourceId;
    const unsigned char* bytes;   // the whole .bmp file
    std::size_t size;
};

extern const EmbeddedPicture kEmbeddedPictures[];
extern const std::size_t kEmbeddedPictureCount;
