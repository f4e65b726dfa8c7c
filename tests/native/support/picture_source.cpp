#include "picture_source.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_bytes.h"
#include "texture_set.h"

namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rows;
};

// The file's bytes read as the Linux program reads its compiled-in copies.
bool readBmp(const std::string& path, Picture& picture)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    TextureBitmap read;
    if (!readBitmapBytes(bytes.data(), bytes.size(), read)) return false;
    const std::size_t stride = (static_cast<std::size_t>(read.width) * 3 + 3) & ~std::size_t(3);
    const auto* rows = static_cast<const std::uint8_t*>(read.bgrRows);
    picture.width = read.width;
    picture.height = read.height;
    picture.rows.assign(rows, rows + stride * read.height);
    return true;
}

// Rows of 2 pixels (6 bytes) are padded to 8, so a reader that ignores the
// padding shows; a power of two keeps the mipmap builder from scaling.
constexpr int kTestPictureWidth = 2;

// Rows are stored bottom first: the upper half as seen is the second half stored.
void fillTwoTone(Picture& picture, int width, int height, Rgb upper, Rgb lower)
{
    picture.width = width;
    picture.height = height;
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t(3);
    picture.rows.assign(stride * height, 0);
    for (int y = 0; y < height; ++y) {
        const Rgb colour = y < height / 2 ? lower : upper;
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

bool openTextureBitmap(int resourceId, TextureBitmap& bitmap)
{
    const PictureSource& source = pictureSource();
    if (source.missingResources.count(resourceId) != 0) return false;

    auto* picture = new Picture;
    bool ok = false;
    if (source.useFiles || source.filesFor.count(resourceId) != 0) {
        const std::string name = pictureFileName(resourceId);
        ok = !name.empty() && readBmp(std::string(RENDERER_SOURCE_DIR) + "/" + name, *picture);
    } else if (source.twoTone.count(resourceId) != 0) {
        const auto& tones = source.twoTone.at(resourceId);
        fillTwoTone(*picture, kTestPictureWidth, 16, tones.first, tones.second);
        ok = true;
    } else {
        const auto found = source.solidColours.find(resourceId);
        const Rgb colour = found != source.solidColours.end() ? found->second : Rgb{128, 128, 128};
        fillTwoTone(*picture, kTestPictureWidth, 16, colour, colour);
        ok = !pictureFileName(resourceId).empty();
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
