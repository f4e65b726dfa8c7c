// The settings dialog's committed pictures. The button copies only the outer
// four rings of each state image, so those are what the checks read; the
// resource compiler takes the files as they are, so the headers must stay the
// plain kinds, and the sizes are the ones the dialog and the button lay out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/file_bytes.h"

#ifndef HOST_PICTURES_DIR
#error "HOST_PICTURES_DIR must name the folder holding the host's pictures"
#endif

namespace {

Bytes ReadPicture(const std::string& name)
{
    return readFileBytes(std::string(HOST_PICTURES_DIR) + "/" + name);
}

using Rgb = std::tuple<int, int, int>;

// A 24-bit bottom-up bitmap with a 40-byte header, read as seen (y from the top).
struct Bitmap {
    int width = 0, height = 0;
    Bytes bytes;

    explicit Bitmap(const std::string& name) : bytes(ReadPicture(name))
    {
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
            return;
        width = le32s(bytes, 18);
        height = le32s(bytes, 22);
    }

    bool IsPlain24Bit() const
    {
        const std::size_t rowBytes = (width * 3 + 3) / 4 * 4;
        return le32s(bytes, 14) == 40 && le16(bytes, 26) == 1 && le16(bytes, 28) == 24 &&
               le32s(bytes, 30) == 0 && le32s(bytes, 10) == 54 && bytes.size() == 54 + rowBytes * height;
    }

    Rgb At(int x, int y) const
    {
        const std::size_t rowBytes = (width * 3 + 3) / 4 * 4;
        const std::size_t at = 54 + (height - 1 - y) * rowBytes + x * 3;
        return {bytes[at + 2], bytes[at + 1], bytes[at]};
    }
};

const Rgb kBorder{0, 60, 116};

TEST(ButtonImages, AreSixPlain24BitPicturesOfTheButtonSize)
{
    for (const char* name : {"button_normal.bmp", "button_highlight.bmp", "button_pressed.bmp",
                             "button_disable.bmp", "button_selected.bmp", "button_highlightselect.bmp"}) {
        const Bitmap image(name);
        EXPECT_EQ(image.width, 64) << name;
        EXPECT_EQ(image.height, 25) << name;
        EXPECT_TRUE(image.width == 64 && image.height == 25 && image.IsPlain24Bit()) << name;
    }
    EXPECT_EQ(Bitmap("button_highlight.bmp").bytes, Bitmap("button_highlightselect.bmp").bytes);
}

TEST(ButtonImages, RaisedFacesHaveTheBorderOnRingOneWithSoftenedCorners)
{
    for (const char* name : {"button_normal.bmp", "button_highlight.bmp", "button_selected.bmp"}) {
        const Bitmap image(name);
        ASSERT_TRUE(image.IsPlain24Bit()) << name;
        EXPECT_EQ(image.At(32, 1), kBorder) << name;
        EXPECT_EQ(image.At(32, 23), kBorder) << name;
        EXPECT_EQ(image.At(1, 12), kBorder) << name;
        EXPECT_EQ(image.At(62, 12), kBorder) << name;
        EXPECT_EQ(image.At(32, 0), Rgb(224, 220, 201)) << name;
        EXPECT_EQ(image.At(32, 24), Rgb(248, 247, 240)) << name;
        EXPECT_NE(image.At(1, 1), kBorder) << name;
        EXPECT_EQ(image.At(2, 1), Rgb(122, 149, 168)) << name;
        EXPECT_EQ(image.At(61, 23), Rgb(122, 149, 168)) << name;
    }
}

TEST(ButtonImages, InnerFramesCarryTheirStateColours)
{
    const Bitmap normal("button_normal.bmp"), highlight("button_highlight.bmp");
    const Bitmap selected("button_selected.bmp"), pressed("button_pressed.bmp");
    const Bitmap disable("button_disable.bmp");
    ASSERT_TRUE(normal.IsPlain24Bit() && highlight.IsPlain24Bit() && selected.IsPlain24Bit() &&
                pressed.IsPlain24Bit() && disable.IsPlain24Bit());

    EXPECT_EQ(normal.At(32, 2), Rgb(243, 243, 238));
    EXPECT_EQ(normal.At(32, 22), Rgb(214, 208, 197));
    EXPECT_EQ(normal.At(32, 21), Rgb(226, 223, 214));
    EXPECT_EQ(highlight.At(32, 2), Rgb(255, 240, 207));
    EXPECT_EQ(highlight.At(32, 3), Rgb(253, 216, 137));
    EXPECT_EQ(highlight.At(32, 22), Rgb(229, 151, 0));
    EXPECT_EQ(highlight.At(32, 21), Rgb(248, 178, 48));
    EXPECT_EQ(selected.At(32, 2), Rgb(206, 231, 255));
    EXPECT_EQ(selected.At(32, 22), Rgb(105, 130, 238));

    // Pressed sits one ring further in and is sunken: dark above, light below.
    EXPECT_EQ(pressed.At(32, 0), Rgb(236, 233, 216));
    EXPECT_EQ(pressed.At(32, 2), kBorder);
    EXPECT_EQ(pressed.At(32, 22), kBorder);
    EXPECT_EQ(pressed.At(32, 3), Rgb(209, 204, 192));
    EXPECT_EQ(pressed.At(32, 21), Rgb(242, 241, 238));

    EXPECT_EQ(disable.At(32, 1), Rgb(201, 199, 186));
    EXPECT_EQ(disable.At(32, 3), Rgb(245, 244, 234));
    EXPECT_EQ(disable.At(3, 12), Rgb(245, 244, 234));
}

// The side strips (rows 4 to 20 of rings 2 and 3) are the 17 pixels the
// button stretches to its height: each is a ramp that darkens downwards.
TEST(ButtonImages, SideStripsAreRampsFromTheirTopColourToTheirBottomColour)
{
    struct Ramp {
        const char* image;
        int column;
        Rgb top, bottom;
    };
    const Ramp ramps[] = {
        {"button_normal.bmp", 2, {253, 253, 252}, {236, 235, 230}},
        {"button_normal.bmp", 61, {251, 251, 250}, {224, 221, 212}},
        {"button_highlight.bmp", 2, {254, 223, 154}, {249, 180, 53}},
        {"button_highlight.bmp", 3, {252, 210, 121}, {249, 180, 53}},
        {"button_highlight.bmp", 61, {254, 223, 154}, {249, 180, 53}},
        {"button_highlight.bmp", 60, {252, 210, 121}, {249, 180, 53}},
        {"button_selected.bmp", 2, {183, 208, 244}, {139, 173, 228}},
        {"button_selected.bmp", 61, {183, 208, 244}, {139, 173, 228}},
    };
    auto near = [](const Rgb& a, const Rgb& b) {
        return std::abs(std::get<0>(a) - std::get<0>(b)) <= 20 && std::abs(std::get<1>(a) - std::get<1>(b)) <= 20 &&
               std::abs(std::get<2>(a) - std::get<2>(b)) <= 20;
    };
    for (const Ramp& ramp : ramps) {
        SCOPED_TRACE(std::string(ramp.image) + " column " + std::to_string(ramp.column));
        const Bitmap image(ramp.image);
        ASSERT_TRUE(image.IsPlain24Bit());
        EXPECT_TRUE(near(image.At(ramp.column, 4), ramp.top));
        EXPECT_TRUE(near(image.At(ramp.column, 20), ramp.bottom));
        for (int y = 5; y <= 20; ++y) {
            const Rgb above = image.At(ramp.column, y - 1), here = image.At(ramp.column, y);
            EXPECT_LE(std::get<0>(here), std::get<0>(above)) << "row " << y;
            EXPECT_LE(std::get<1>(here), std::get<1>(above)) << "row " << y;
            EXPECT_LE(std::get<2>(here), std::get<2>(above)) << "row " << y;
        }
        EXPECT_LT(std::get<1>(image.At(ramp.column, 20)), std::get<1>(image.At(ramp.column, 4)));
    }
}

TEST(DialogArtwork, StripIsLightGreyMetalWithStreaksAcrossIt)
{
    const Bitmap strip("strip.bmp");
    ASSERT_EQ(strip.width, 556);
    ASSERT_EQ(strip.height, 20);
    ASSERT_TRUE(strip.IsPlain24Bit());
    long sum = 0;
    std::set<int> columnTones;   // down one column: the streaks make it vary
    int alongRowChange = 0;      // along a row: the streaks keep it smooth
    for (int y = 0; y < strip.height; ++y) {
        columnTones.insert(std::get<1>(strip.At(100, y)));
        for (int x = 0; x < strip.width; ++x) {
            const auto [r, g, b] = strip.At(x, y);
            EXPECT_TRUE(r <= g && g <= b && b - r < 12) << x << "," << y;   // grey, faintly cool
            sum += g;
            if (x > 0)
                alongRowChange += std::abs(g - std::get<1>(strip.At(x - 1, y)));
        }
    }
    const double mean = double(sum) / (strip.width * strip.height);
    EXPECT_GT(mean, 180.0);
    EXPECT_LT(mean, 230.0);
    EXPECT_GT(columnTones.size(), 6u);
    EXPECT_LT(double(alongRowChange) / (strip.height * (strip.width - 1)), 3.0);
}

TEST(DialogArtwork, BoxesAreAWhiteAndABlueSquareInDarkFrames)
{
    const Bitmap empty("box_empty.bmp"), marked("box_marked.bmp");
    for (const Bitmap* box : {&empty, &marked}) {
        ASSERT_EQ(box->width, 12);
        ASSERT_EQ(box->height, 12);
        ASSERT_TRUE(box->IsPlain24Bit());
        for (int i = 0; i < 12; ++i)
            for (const Rgb& edge : {box->At(i, 0), box->At(i, 11), box->At(0, i), box->At(11, i)})
                EXPECT_LT(std::get<1>(edge), 110);
    }
    const auto [er, eg, eb] = empty.At(6, 6);
    EXPECT_GT(std::min({er, eg, eb}), 220);
    const auto [mr, mg, mb] = marked.At(6, 6);
    EXPECT_GT(mb, mr + 80);
    EXPECT_GT(mb, mg + 60);
}

TEST(DialogArtwork, HandCursorIsATwoColour32PixelCursorWithItsHotSpotOnTheHand)
{
    const Bytes cur = ReadPicture("hand.cur");
    ASSERT_EQ(cur.size(), 6u + 16u + 40u + 8u + 128u + 128u);
    EXPECT_EQ(le16(cur, 0), 0u);
    EXPECT_EQ(le16(cur, 2), 2u);   // cursor, not icon
    EXPECT_EQ(le16(cur, 4), 1u);
    EXPECT_EQ(cur[6], 32);
    EXPECT_EQ(cur[7], 32);
    EXPECT_EQ(le16(cur, 10), 12u);   // hot spot x
    EXPECT_EQ(le16(cur, 12), 10u);   // hot spot y
    EXPECT_EQ(le32s(cur, 18), 6 + 16);
    const std::size_t header = 22;
    EXPECT_EQ(le32s(cur, header), 40);
    EXPECT_EQ(le32s(cur, header + 4), 32);
    EXPECT_EQ(le32s(cur, header + 8), 64);   // colour and mask halves
    EXPECT_EQ(le16(cur, header + 14), 1u);

    const std::size_t xorAt = header + 40 + 8, andAt = xorAt + 128;
    auto bit = [&](std::size_t base, int x, int y) {
        const std::size_t row = base + (31 - y) * 4;
        return (cur[row + x / 8] >> (7 - x % 8)) & 1;
    };
    EXPECT_EQ(bit(andAt, 12, 10), 0) << "the hot spot must be on the hand";
    EXPECT_EQ(bit(xorAt, 12, 10), 1) << "and on its white fill";
    EXPECT_EQ(bit(andAt, 12, 8), 1) << "nothing above the fingertip";
    EXPECT_EQ(bit(andAt, 0, 0), 1);
    EXPECT_EQ(bit(andAt, 31, 31), 1);
    int opaque = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            opaque += bit(andAt, x, y) == 0;
            EXPECT_FALSE(bit(andAt, x, y) == 1 && bit(xorAt, x, y) == 1) << "no inverting pixels";
        }
    EXPECT_GT(opaque, 150);
    EXPECT_LT(opaque, 500);
}

}  // namespace
