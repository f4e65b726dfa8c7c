#include "picture_source.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "texture_set.h"

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rows;
};

std::uint32_t readLe32(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool readBmp(const std::string& path, Picture& picture)
{
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const std::uint32_t offset = readLe32(bytes, 10);
    picture.width = static_cast<int>(readLe32(bytes, 18));
    picture.height = static_cast<int>(readLe32(bytes, 22));
    const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) & ~std::size_t(3);
    if (bytes.size() < offset + stride * picture.height) return false;
    picture.rows.assign(bytes.begin() + offset, bytes.begin() + offset + stride * picture.height);
    return true;
}

int textureIndexOf(int resourceId)
{
    for (std::size_t i = 0; i < kTextureCount; ++i) {
        if (kTextureResourceIds[i] == resourceId) return static_cast<int>(i);
    }
    return -1;
}

void fillSolid(Picture& picture, int width, int height, Rgb colour)
{
    picture.width = width;
    picture.height = height;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
    picture.rows.assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &picture.rows[y * stride + x * 3];
            p[0] = static_cast<std::uint8_t>(colour.b);
            p[1] = static_cast<std::uint8_t>(colour.g);
            p[2] = static_cast<std::uint8_t>(colour.r);
        }
    }
}

} // namespace

PictureSource& pictureSource()
{
    static PictureSource source;
    return source;
}

void resetPictureSource()
{
    pictureSource() = PictureSource();
}

const char* pictureFileName(int resourceId)
{
    switch (resourceId) {
    case 104: return "sun_glow.bmp";
    case 108: return "sun_mask.bmp";
    case 107: return "mercury.bmp";
    case 109: return "venus.bmp";
    case 110: return "earth.bmp";
    case 111: return "mars.bmp";
    case 112: return "jupiter.bmp";
    case 113: return "saturn.bmp";
    case 114: return "uranus.bmp";
    case 115: return "neptune.bmp";
    case 116: return "pluto.bmp";
    case 117: return "moon.bmp";
    case 118: return "jupiter_moon1.bmp";
    case 121: return "jupiter_moon2.bmp";
    case 119: return "jupiter_moon3.bmp";
    case 120: return "jupiter_moon4.bmp";
    case 122: return "uranus_moon.bmp";
    case 123: return "saturn_ring.bmp";
    default: return nullptr;
    }
}

bool openTextureBitmap(int resourceId, TextureBitmap& bitmap)
{
    const PictureSource& source = pictureSource();
    if (source.missingResources.count(resourceId) != 0) return false;

    auto* picture = new Picture;
    bool ok = false;
    const int index = textureIndexOf(resourceId);
    if (source.useFiles || source.filesFor.count(index) != 0) {
        const char* name = pictureFileName(resourceId);
        ok = name != nullptr && readBmp(std::string(RENDERER_PICTURES_DIR) + "/" + name, *picture);
    } else {
        const auto found = source.solidColours.find(index);
        fillSolid(*picture, 16, 16, found != source.solidColours.end() ? found->second : Rgb{128, 128, 128});
        ok = index >= 0;
    }
    if (!ok) {
        delete picture;
        return false;
    }
    bitmap.width = picture->width;
    bitmap.height = picture->height;
    bitmap.bgrRows = picture->rows.data();
    bitmap.owner = picture;
    return true;
}

void closeTextureBitmap(TextureBitmap& bitmap)
{
    delete static_cast<Picture*>(bitmap.owner);
    bitmap = TextureBitmap();
}
