// The pictures compiled into the Linux program: the same 18 files as the
// Windows resources, handed over as 24-bit rows in place, and what is refused.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_bytes.h"
#include "support/picture_names.h"
#include "texture_set.h"

namespace {

std::vector<unsigned char> fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(EmbeddedPictures, EveryResourceIdGivesItsFilesRowsAtTheTablesSize)
{
    struct Expected {
        int id, width, height;
    } const table[] = {
        {104, 64, 64},   {108, 64, 64},   {107, 128, 128}, {109, 128, 128}, {110, 128, 128}, {111, 128, 128},
        {112, 128, 128}, {113, 128, 128}, {114, 128, 128}, {115, 128, 128}, {116, 128, 128}, {117, 281, 128},
        {118, 128, 128}, {121, 128, 128}, {119, 128, 128}, {120, 128, 128}, {122, 128, 128}, {123, 256, 256},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.id);
        TextureBitmap bitmap;
        ASSERT_TRUE(openTextureBitmap(e.id, bitmap));
        EXPECT_EQ(bitmap.width, e.width);
        EXPECT_EQ(bitmap.height, e.height);
        // The rows as the file stores them after its 54 header bytes, padding included.
        const std::vector<unsigned char> file =
            fileBytes(std::string(RENDERER_SOURCE_DIR) + "/" + pictureFileName(e.id));
        const std::size_t stride = (e.width * 3 + 3) / 4 * 4;
        ASSERT_EQ(file.size(), 54 + stride * e.height);
        EXPECT_EQ(0, std::memcmp(bitmap.bgrRows, file.data() + 54, stride * e.height));
        closeTextureBitmap(bitmap);
        EXPECT_EQ(bitmap.bgrRows, nullptr);
    }
    TextureBitmap none;
    EXPECT_FALSE(openTextureBitmap(105, none));   // 105 and 106 are not used
}

// A 2 x 2 picture: rows of 6 bytes padded to 8.
std::vector<unsigned char> tinyBitmap()
{
    std::vector<unsigned char> bytes = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                                        40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0};
    bytes.resize(70, 0x5A);
    return bytes;
}

TEST(BitmapBytes, TakesOnlyUncompressedBottomUp24BitRowsThatAreAllThere)
{
    const std::vector<unsigned char> good = tinyBitmap();
    TextureBitmap bitmap;
    ASSERT_TRUE(readBitmapBytes(good.data(), good.size(), bitmap));
    EXPECT_EQ(bitmap.width, 2);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.bgrRows, good.data() + 54);

    struct Fault {
        const char* what;
        std::size_t at;
        unsigned char value;
    } const faults[] = {
        {"not a bitmap", 0, 'X'},         {"32 bits a pixel", 28, 32},  {"run-length coded", 30, 1},
        {"rows stored top first", 25, 0xFF}, {"a 12-byte core header", 14, 12}, {"rows inside the header", 10, 20},
        {"no width", 18, 0},
    };
    for (const Fault& f : faults) {
        SCOPED_TRACE(f.what);
        std::vector<unsigned char> bad = good;
        bad[f.at] = f.value;
        if (f.at == 25) bad[22] = bad[23] = bad[24] = 0xFF;   // height -1
        TextureBitmap untouched;
        EXPECT_FALSE(readBitmapBytes(bad.data(), bad.size(), untouched));
        EXPECT_EQ(untouched.bgrRows, nullptr);
    }
    TextureBitmap cut;
    EXPECT_FALSE(readBitmapBytes(good.data(), good.size() - 1, cut));   // the last row's padding missing
}

} // namespace
