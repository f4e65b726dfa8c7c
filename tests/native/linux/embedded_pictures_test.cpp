// The pictures compiled into the Linux program: the same 18 files as the
// Windows resources, handed over as 24-bit rows in place, and what is refused.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_bytes.h"
#include "support/picture_names.h"
#include "texture_set.h"

namespace {

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
        std::ifstream in(std::string(RENDERER_SOURCE_DIR) + "/" + pictureFileName(e.id), std::ios::binary);
        const std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t rows = (e.width * 3 + 3) / 4 * 4 * e.height;
        ASSERT_EQ(file.size(), 54 + rows);
        EXPECT_EQ(0, std::memcmp(bitmap.bgrRows, file.data() + 54, rows));
        closeTextureBitmap(bitmap);
    }
    TextureBitmap none;
    EXPECT_FALSE(openTextureBitmap(105, none));   // 105 and 106 are not used
}

TEST(BitmapBytes, TakesOnlyUncompressedBottomUp24BitRowsThatAreAllThere)
{
    // A 2 x 2 picture: rows of 6 bytes padded to 8.
    std::vector<unsigned char> good = {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                       2,   0,   0,  0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0};
    good.resize(70, 0x5A);
    TextureBitmap bitmap;
    ASSERT_TRUE(readBitmapBytes(good.data(), good.size(), bitmap));
    EXPECT_EQ(bitmap.width, 2);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.bgrRows, good.data() + 54);

    struct Fault {
        const char* what;
        std::size_t at, count;
        unsigned char value;
    } const faults[] = {
        {"not a bitmap", 0, 1, 'X'},     {"32 bits a pixel", 28, 1, 32},    {"run-length coded", 30, 1, 1},
        {"rows top first", 22, 4, 0xFF}, {"a 12-byte header", 14, 1, 12}, {"rows in the header", 10, 1, 20},
        {"no width", 18, 1, 0},
    };
    for (const Fault& f : faults) {
        std::vector<unsigned char> bad = good;
        std::memset(&bad[f.at], f.value, f.count);
        TextureBitmap untouched;
        EXPECT_FALSE(readBitmapBytes(bad.data(), bad.size(), untouched)) << f.what;
        EXPECT_EQ(untouched.bgrRows, nullptr) << f.what;
    }
    EXPECT_FALSE(readBitmapBytes(good.data(), good.size() - 1, bitmap));   // the last row's padding missing
}

} // namespace
