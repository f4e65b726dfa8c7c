// The committed pictures, read byte by byte as the resource compiler and the
// renderer take them: a picture in the wrong layout loads as garbage or not at
// all, and one whose colours drift makes its planet too dark or too bright
// under the scene's fixed lighting.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <vector>

#include "support/file_bytes.h"
#include "support/picture_source.h"

#ifndef RENDERER_PICTURES_DIR
#error "RENDERER_PICTURES_DIR must name the folder that holds the renderer's pictures"
#endif

namespace {

Bytes readFile(const std::string& name)
{
    return readFileBytes(std::string(RENDERER_PICTURES_DIR) + "/" + name);
}

struct Rgb {
    int r;
    int g;
    int b;
};

// A 24-bit bitmap as stored: BITMAPFILEHEADER, BITMAPINFOHEADER, then rows
// bottom first, each padded to four bytes.
struct Bitmap {
    std::vector<std::uint8_t> bytes;

    bool hasHeaders() const { return bytes.size() >= 54; }
    std::uint32_t pixelOffset() const { return le32(bytes, 10); }
    std::uint32_t infoSize() const { return le32(bytes, 14); }
    std::int32_t width() const { return le32s(bytes, 18); }
    std::int32_t height() const { return le32s(bytes, 22); }
    std::uint16_t planes() const { return le16(bytes, 26); }
    std::uint16_t bitCount() const { return le16(bytes, 28); }
    std::uint32_t compression() const { return le32(bytes, 30); }
    std::size_t stride() const { return (static_cast<std::size_t>(width()) * 3 + 3) & ~std::size_t(3); }

    // x from the left, y from the top of the picture as seen.
    Rgb pixel(int x, int y) const
    {
        const std::size_t at = pixelOffset() + stride() * static_cast<std::size_t>(height() - 1 - y) + x * 3u;
        return Rgb{bytes[at + 2], bytes[at + 1], bytes[at]};
    }
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

bool operator==(const Rgb& a, const Rgb& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Reads a picture and checks only what the other checks rely on to index it
// safely: without these, a truncated file would be read past its end.
::testing::AssertionResult loadBitmap(const std::string& name, Bitmap& bitmap)
{
    bitmap.bytes = readFile(name);
    if (!bitmap.hasHeaders()) {
        return ::testing::AssertionFailure() << name << " is missing or shorter than its headers ("
                                             << bitmap.bytes.size() << " bytes)";
    }
    if (bitmap.width() <= 0 || bitmap.height() <= 0 || bitmap.bitCount() != 24) {
        return ::testing::AssertionFailure() << name << " is not a bottom-up 24-bit bitmap";
    }
    const std::size_t needed = bitmap.pixelOffset() + bitmap.stride() * static_cast<std::size_t>(bitmap.height());
    if (bitmap.bytes.size() < needed) {
        return ::testing::AssertionFailure() << name << " holds " << bitmap.bytes.size() << " bytes, its rows need "
                                             << needed;
    }
    return ::testing::AssertionSuccess();
}

struct PictureCase {
    const char* file;
    int resourceId;
    int width;
    int height;
    Rgb mean;  // what the scene's light levels were tuned for
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c)
{
    return out << c.file << " (" << c.resourceId << ")";
}

const PictureCase kPictures[] = {
    {"sun_glow.bmp", 104, 64, 64, {54, 57, 23}},
    {"sun_mask.bmp", 108, 64, 64, {202, 202, 202}},
    {"mercury.bmp", 107, 128, 128, {206, 119, 62}},
    {"venus.bmp", 109, 128, 128, {187, 111, 21}},
    {"earth.bmp", 110, 128, 128, {143, 162, 181}},
    {"mars.bmp", 111, 128, 128, {147, 50, 32}},
    {"jupiter.bmp", 112, 128, 128, {201, 150, 109}},
    {"saturn.bmp", 113, 128, 128, {214, 151, 72}},
    {"uranus.bmp", 114, 128, 128, {16, 109, 169}},
    {"neptune.bmp", 115, 128, 128, {32, 83, 212}},
    {"pluto.bmp", 116, 128, 128, {76, 94, 112}},
    {"moon.bmp", 117, 281, 128, {138, 138, 138}},
    {"jupiter_moon1.bmp", 118, 128, 128, {170, 142, 80}},
    {"jupiter_moon2.bmp", 121, 128, 128, {139, 139, 139}},
    {"jupiter_moon3.bmp", 119, 128, 128, {115, 115, 115}},
    {"jupiter_moon4.bmp", 120, 128, 128, {169, 169, 169}},
    {"uranus_moon.bmp", 122, 128, 128, {122, 122, 122}},
    {"saturn_ring.bmp", 123, 256, 256, {48, 48, 48}},
};

// How far a picture's mean may stray before its body looks wrongly lit.
constexpr double kMeanTolerance = 15.0;

class PictureFile : public ::testing::TestWithParam<PictureCase> {
protected:
    void SetUp() override { ASSERT_TRUE(loadBitmap(GetParam().file, bitmap)); }

    Bitmap bitmap;
};

TEST_P(PictureFile, IsAnUncompressedBottomUp24BitBitmapWithoutColourTable)
{
    EXPECT_EQ(bitmap.bytes[0], 'B');
    EXPECT_EQ(bitmap.bytes[1], 'M');
    EXPECT_EQ(bitmap.infoSize(), 40u);
    EXPECT_EQ(bitmap.planes(), 1u);
    EXPECT_EQ(bitmap.bitCount(), 24u);
    EXPECT_EQ(bitmap.compression(), 0u);
    EXPECT_GT(bitmap.height(), 0) << "a negative height would store the rows top first";
    EXPECT_EQ(bitmap.pixelOffset(), 54u) << "the pixels must follow the two headers directly";
}

TEST_P(PictureFile, HasTheRendererSizeAndNothingBeyondItsRows)
{
    const PictureCase& c = GetParam();
    EXPECT_EQ(bitmap.width(), c.width);
    EXPECT_EQ(bitmap.height(), c.height);
    const std::size_t stride = (static_cast<std::size_t>(c.width) * 3 + 3) & ~std::size_t(3);
    EXPECT_EQ(bitmap.bytes.size(), 54 + stride * c.height);
    EXPECT_EQ(le32(bitmap.bytes, 2), bitmap.bytes.size()) << "the file header's own size field";
}

TEST_P(PictureFile, IsTheOneTheResourceScriptGivesItsId)
{
    EXPECT_EQ(pictureFileName(GetParam().resourceId), std::string("pictures/") + GetParam().file);
}

TEST_P(PictureFile, MeanColourIsTheOneTheLightingWasTunedFor)
{
    const PictureCase& c = GetParam();
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        for (int x = 0; x < bitmap.width(); ++x) {
            const Rgb p = bitmap.pixel(x, y);
            r += p.r;
            g += p.g;
            b += p.b;
        }
    }
    const double count = static_cast<double>(bitmap.width()) * bitmap.height();
    EXPECT_NEAR(r / count, c.mean.r, kMeanTolerance) << "red";
    EXPECT_NEAR(g / count, c.mean.g, kMeanTolerance) << "green";
    EXPECT_NEAR(b / count, c.mean.b, kMeanTolerance) << "blue";
}

INSTANTIATE_TEST_SUITE_P(AllTextures, PictureFile, ::testing::ValuesIn(kPictures),
                         [](const ::testing::TestParamInfo<PictureCase>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             return name;
                         });

// Grey bodies are lit by coloured light in the scene; a tint in the picture
// itself would show as a colour cast.
TEST(GreyPictures, HaveNoTintInAnyPixel)
{
    for (const char* file : {"moon.bmp", "jupiter_moon2.bmp", "jupiter_moon3.bmp", "jupiter_moon4.bmp",
                             "uranus_moon.bmp", "saturn_ring.bmp", "sun_mask.bmp"}) {
        SCOPED_TRACE(file);
        Bitmap bitmap;
        ASSERT_TRUE(loadBitmap(file, bitmap));
        int tinted = 0;
        for (int y = 0; y < bitmap.height(); ++y) {
            for (int x = 0; x < bitmap.width(); ++x) {
                const Rgb p = bitmap.pixel(x, y);
                if (p.r != p.g || p.g != p.b) ++tinted;
            }
        }
        EXPECT_EQ(tinted, 0);
    }
}

std::vector<Rgb> cornerPixels(const Bitmap& bitmap)
{
    const int right = bitmap.width() - 1;
    const int bottom = bitmap.height() - 1;
    return {bitmap.pixel(0, 0), bitmap.pixel(right, 0), bitmap.pixel(0, bottom), bitmap.pixel(right, bottom)};
}

// The glow and the ring are added onto the scene, so anything but black at
// their edges would draw the square of the quad they sit on.
TEST(BlendedPictures, AddedPicturesAreBlackAtEveryCorner)
{
    for (const char* file : {"sun_glow.bmp", "saturn_ring.bmp"}) {
        SCOPED_TRACE(file);
        Bitmap bitmap;
        ASSERT_TRUE(loadBitmap(file, bitmap));
        for (const Rgb& corner : cornerPixels(bitmap)) EXPECT_EQ(corner, (Rgb{0, 0, 0}));
    }
}

TEST(BlendedPictures, SunGlowIsBrightestAtItsCentre)
{
    Bitmap bitmap;
    ASSERT_TRUE(loadBitmap("sun_glow.bmp", bitmap));
    const Rgb centre = bitmap.pixel(bitmap.width() / 2, bitmap.height() / 2);
    EXPECT_GE(centre.r, 240);
    EXPECT_GE(centre.g, 240);
    EXPECT_LT(centre.b, centre.g) << "the disc is yellow, not white";
}

TEST(BlendedPictures, RingLeavesItsHoleEmptyAndIsBrightAcrossItsBand)
{
    Bitmap bitmap;
    ASSERT_TRUE(loadBitmap("saturn_ring.bmp", bitmap));
    const int cx = bitmap.width() / 2;
    const int cy = bitmap.height() / 2;
    const int half = bitmap.width() / 2;
    // Out to 45 % of the half-width the planet shows through the hole.
    for (int dx = 0; dx < half * 45 / 100; ++dx) {
        EXPECT_EQ(bitmap.pixel(cx + dx, cy), (Rgb{0, 0, 0})) << "at " << dx << " pixels from the centre";
        EXPECT_EQ(bitmap.pixel(cx, cy - dx), (Rgb{0, 0, 0})) << "at " << dx << " pixels above the centre";
    }
    // Between 50 % and 90 % the ring itself, lit on average.
    double sum = 0;
    int count = 0;
    for (int dx = half * 52 / 100; dx < half * 88 / 100; ++dx, ++count) sum += bitmap.pixel(cx + dx, cy).g;
    EXPECT_GT(sum / count, 60.0);
}

// The mask multiplies the scene: white leaves it as it is, black blots it out
// behind the sun's disc.
TEST(BlendedPictures, SunMaskIsWhiteAtEveryCornerAndBlackAtItsCentre)
{
    Bitmap bitmap;
    ASSERT_TRUE(loadBitmap("sun_mask.bmp", bitmap));
    for (const Rgb& corner : cornerPixels(bitmap)) EXPECT_EQ(corner, (Rgb{255, 255, 255}));
    EXPECT_EQ(bitmap.pixel(bitmap.width() / 2, bitmap.height() / 2), (Rgb{0, 0, 0}));
}

// ICONDIR, one ICONDIRENTRY, then the image: BITMAPINFOHEADER whose height
// counts the XOR and AND halves together, 16 palette entries, 4-bit XOR rows
// and 1-bit AND rows, each row padded to four bytes.
TEST(ProgramIcon, HoldsOne32By32SixteenColourImage)
{
    const std::vector<std::uint8_t> ico = readFile("renderer.ico");
    ASSERT_GE(ico.size(), 6u + 16u + 40u);
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "type 1 is an icon";
    ASSERT_EQ(le16(ico, 4), 1u) << "one image";

    EXPECT_EQ(ico[6], 32u) << "entry width";
    EXPECT_EQ(ico[7], 32u) << "entry height";
    EXPECT_EQ(ico[8], 16u) << "entry colour count";
    EXPECT_EQ(le16(ico, 12), 4u) << "entry bits per pixel";
    const std::uint32_t imageSize = le32(ico, 14);
    const std::uint32_t imageOffset = le32(ico, 18);
    ASSERT_EQ(static_cast<std::size_t>(imageOffset) + imageSize, ico.size());
    ASSERT_GE(imageSize, 40u);

    EXPECT_EQ(le32(ico, imageOffset), 40u);
    EXPECT_EQ(le32s(ico, imageOffset + 4), 32);
    EXPECT_EQ(le32s(ico, imageOffset + 8), 64) << "XOR and AND masks together";
    EXPECT_EQ(le16(ico, imageOffset + 12), 1u);
    EXPECT_EQ(le16(ico, imageOffset + 14), 4u);
    EXPECT_EQ(le32(ico, imageOffset + 16), 0u);
    const std::uint32_t palette = 16 * 4;
    const std::uint32_t xorRows = 32 * 16;  // 32 pixels at 4 bits
    const std::uint32_t andRows = 32 * 4;   // 32 pixels at 1 bit
    EXPECT_EQ(imageSize, 40 + palette + xorRows + andRows);
}

}  // namespace
