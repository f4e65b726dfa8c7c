// The host's committed pictures. The resource compiler and LoadImage take the
// preview and the icon byte for byte, and accept only the plain header kinds
// checked here; the preview must also still show the scene it advertises when
// someone regenerates it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
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

// ---------------------------------------------------------------------------
// preview.bmp

constexpr int kPreviewWidth = 152;   // the monitor picture in Display Properties
constexpr int kPreviewHeight = 112;
constexpr std::size_t kPixelOffset = 14 + 40;
constexpr std::size_t kRowBytes = (kPreviewWidth * 3 + 3) / 4 * 4;
constexpr std::size_t kPreviewSize = kPixelOffset + kRowBytes * kPreviewHeight;
constexpr int kMiddleRow = kPreviewHeight / 2;

struct Rgb {
    int r, g, b;
    int Brightest() const { return std::max(r, std::max(g, b)); }
};

// A stretch of lit pixels along one row, with its summed colour.
struct Stretch {
    int begin, end;  // [begin, end)
    long sumR = 0, sumG = 0, sumB = 0;
    int Width() const { return end - begin; }
    double R() const { return double(sumR) / Width(); }
    double G() const { return double(sumG) / Width(); }
    double B() const { return double(sumB) / Width(); }
};

class Preview : public ::testing::Test {
protected:
    void SetUp() override
    {
        bmp = ReadPicture("preview.bmp");
        // Every pixel test indexes into the file, so refuse anything shorter.
        ASSERT_EQ(bmp.size(), kPreviewSize);
    }

    // y counts from the top, as the picture is seen.
    Rgb At(int x, int y) const
    {
        const std::size_t at = kPixelOffset + (kPreviewHeight - 1 - y) * kRowBytes + x * 3;
        return {bmp[at + 2], bmp[at + 1], bmp[at]};
    }

    std::vector<Stretch> LitRuns(int y, int fromX, int threshold) const
    {
        std::vector<Stretch> runs;
        bool inRun = false;
        for (int x = fromX; x < kPreviewWidth; ++x) {
            const Rgb p = At(x, y);
            if (p.Brightest() >= threshold) {
                if (!inRun) runs.push_back({x, x});
                inRun = true;
                Stretch& run = runs.back();
                run.end = x + 1;
                run.sumR += p.r;
                run.sumG += p.g;
                run.sumB += p.b;
            } else {
                inRun = false;
            }
        }
        return runs;
    }

    // The planets along the middle row, starting clear of the Sun's glow.
    std::vector<Stretch> PlanetRuns() const { return LitRuns(kMiddleRow, SunEdgeOnMiddleRow() + 4, 90); }

    int SunEdgeOnMiddleRow() const
    {
        int x = 0;
        while (x < kPreviewWidth && At(x, kMiddleRow).r >= 150) ++x;
        return x;
    }

    Bytes bmp;
};

TEST_F(Preview, IsAPlainBottomUp24BitBitmap)
{
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(le32(bmp, 2), kPreviewSize);
    EXPECT_EQ(le32(bmp, 10), kPixelOffset);
    EXPECT_EQ(le32(bmp, 14), 40u);  // BITMAPINFOHEADER, not a V4/V5 header
    EXPECT_EQ(le32s(bmp, 18), kPreviewWidth);
    EXPECT_EQ(le32s(bmp, 22), kPreviewHeight);  // positive: bottom row first
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 24u);
    EXPECT_EQ(le32(bmp, 30), 0u);  // BI_RGB
    EXPECT_EQ(le32(bmp, 46), 0u);  // no colour table
}

TEST_F(Preview, LeftBorderIsTheSunsGlowingLimb)
{
    int limb = 0;
    for (int y = 0; y < kPreviewHeight; ++y) {
        const Rgb p = At(0, y);
        if (p.r >= 150 && p.r > p.g && p.g > p.b && p.r - p.b >= 100) ++limb;
    }
    EXPECT_GE(limb, kPreviewHeight * 3 / 4) << "left border pixels that are bright red-orange";

    // The Sun is a huge disc reaching in from the left: it bulges furthest on
    // the middle row and is a sliver, not the whole picture.
    const int edge = SunEdgeOnMiddleRow();
    EXPECT_GE(edge, 6);
    EXPECT_LE(edge, 30);
}

TEST_F(Preview, CornersStaySky)
{
    // The glow has to fade before the corners, or the Sun reads as a wall
    // of orange rather than the edge of a disc.
    EXPECT_LT(At(0, 0).Brightest(), 64);
    EXPECT_LT(At(0, kPreviewHeight - 1).Brightest(), 64);

    long sum = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = kPreviewWidth - 16; x < kPreviewWidth; ++x) {
            const Rgb p = At(x, y);
            sum += p.r + p.g + p.b;
        }
    EXPECT_LT(sum / (16 * 16 * 3), 20) << "mean brightness near the top-right corner";
}

TEST_F(Preview, RightHalfTopAndBottomRowsAreDarkSky)
{
    for (int y : {0, kPreviewHeight - 1})
        for (int x = kPreviewWidth / 2; x < kPreviewWidth; ++x)
            EXPECT_LT(At(x, y).Brightest(), 40) << "at x=" << x << " y=" << y;
}

TEST_F(Preview, PlanetsLieInARowRightOfTheSun)
{
    const std::vector<Stretch> runs = PlanetRuns();
    // Nine bodies; Saturn's ring may split into more runs, never fewer.
    ASSERT_GE(runs.size(), 9u);

    // Dark sky separates the row from the rest of the picture.
    for (int y : {kMiddleRow - 20, kMiddleRow + 20})
        EXPECT_LT(LitRuns(y, SunEdgeOnMiddleRow() + 8, 90).size(), 4u) << "lit stretches on row " << y;
}

TEST_F(Preview, InnerPlanetsAreFourColouredDotsBeforeJupiter)
{
    const std::vector<Stretch> runs = PlanetRuns();
    ASSERT_GE(runs.size(), 5u);
    for (int i = 0; i < 4; ++i) EXPECT_LE(runs[i].Width(), 4) << "inner planet " << i;

    // Grey, yellowish, blue-green, red.
    EXPECT_LT(std::abs(runs[0].R() - runs[0].B()), 30) << "the first dot is grey";
    EXPECT_GT(runs[1].R(), runs[1].B() + 40) << "the second dot is yellowish";
    EXPECT_GT(runs[1].G(), runs[1].B() + 20) << "the second dot is yellowish";
    EXPECT_GT(runs[2].B(), runs[2].R() + 40) << "the third dot is blue-green";
    EXPECT_GT(runs[2].G(), runs[2].R() + 40) << "the third dot is blue-green";
    EXPECT_GT(runs[3].R(), runs[3].G() + 40) << "the fourth dot is red";

    const Stretch& jupiter = runs[4];
    EXPECT_GE(jupiter.Width(), 12);
    EXPECT_GT(jupiter.R(), jupiter.B() + 20) << "Jupiter is cream and brown";
}

TEST_F(Preview, SaturnsRingIsWiderThanAnyDisc)
{
    const std::vector<Stretch> runs = PlanetRuns();
    ASSERT_GE(runs.size(), 5u);
    const Stretch& jupiter = runs[4];

    std::size_t firstBlue = runs.size();
    for (std::size_t i = 5; i < runs.size(); ++i)
        if (runs[i].B() > runs[i].R()) {
            firstBlue = i;
            break;
        }
    ASSERT_LT(firstBlue, runs.size()) << "no blue disc after Jupiter";
    ASSERT_GT(firstBlue, 5u) << "nothing between Jupiter and the blue discs";

    const int saturnSpan = runs[firstBlue - 1].end - runs[5].begin;
    EXPECT_GT(saturnSpan, jupiter.Width() + 6) << "the ring reaches well past the disc";

    // The ring is tilted, so it is not level with the disc's centre on both
    // sides: its far left end sits lower than its far right end.
    const int ringLeft = runs[5].begin;
    const int ringRight = runs[firstBlue - 1].end - 1;
    auto lowestLitRow = [&](int x) {
        int lowest = -1;
        for (int y = kMiddleRow - 12; y <= kMiddleRow + 12; ++y)
            if (At(x, y).Brightest() >= 90) lowest = y;
        return lowest;
    };
    EXPECT_GT(lowestLitRow(ringLeft + 1), lowestLitRow(ringRight - 1));
}

TEST_F(Preview, TwoBlueDiscsThenPlutoAtTheRightBorder)
{
    const std::vector<Stretch> runs = PlanetRuns();
    ASSERT_GE(runs.size(), 3u);
    const Stretch& uranus = runs[runs.size() - 3];
    const Stretch& neptune = runs[runs.size() - 2];
    const Stretch& pluto = runs.back();

    for (const Stretch* disc : {&uranus, &neptune}) {
        EXPECT_GT(disc->B(), disc->R() + 40);
        EXPECT_GE(disc->Width(), 6);
        EXPECT_GT(disc->begin, kPreviewWidth / 2);
    }
    // Uranus is the pale cyan one, Neptune the deep blue one.
    EXPECT_GT(uranus.G(), neptune.G() + 40);
    EXPECT_GT(uranus.G(), uranus.B() * 0.8);
    EXPECT_LT(neptune.G(), neptune.B() * 0.6);

    EXPECT_LE(pluto.Width(), 4);
    EXPECT_GE(pluto.begin, kPreviewWidth - 12);
}

// ---------------------------------------------------------------------------
// host.ico

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;

std::size_t MaskRowBytes(int width) { return (width + 31) / 32 * 4; }

std::size_t ImageBytes(int size) { return 40 + size * size * 4 + MaskRowBytes(size) * size; }

class Icon : public ::testing::Test {
protected:
    void SetUp() override
    {
        ico = ReadPicture("host.ico");
        ASSERT_GE(ico.size(), kDirectorySize + 2 * kEntrySize);
        ASSERT_EQ(le16(ico, 4), 2u) << "image count";
        for (std::size_t i = 0; i < 2; ++i) {
            const std::size_t entry = kDirectorySize + i * kEntrySize;
            const std::uint32_t bytes = le32(ico, entry + 8);
            const std::uint32_t offset = le32(ico, entry + 12);
            ASSERT_GE(offset, kDirectorySize + 2 * kEntrySize) << "image " << i << " overlaps the directory";
            ASSERT_LE(std::uint64_t(offset) + bytes, ico.size()) << "image " << i << " runs past the file";
            ASSERT_EQ(bytes, ImageBytes(ImageAt(i).size)) << "image " << i;
        }
    }

    struct Image {
        int size;
        std::size_t offset;
    };

    Image ImageAt(std::size_t i) const
    {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        // A size byte of 0 stands for 256.
        return {ico[entry] == 0 ? 256 : ico[entry], le32(ico, entry + 12)};
    }

    // Straight BGRA; y counts from the top.
    unsigned Alpha(const Image& image, int x, int y) const
    {
        const std::size_t row = image.size - 1 - y;
        return ico[image.offset + 40 + (row * image.size + x) * 4 + 3];
    }

    bool MaskBit(const Image& image, int x, int y) const
    {
        const std::size_t row = image.size - 1 - y;
        const std::size_t mask = image.offset + 40 + image.size * image.size * 4;
        return (ico[mask + row * MaskRowBytes(image.size) + x / 8] >> (7 - x % 8)) & 1;
    }

    Bytes ico;
};

TEST_F(Icon, DirectoryListsA32AndA16PixelImage)
{
    EXPECT_EQ(le16(ico, 0), 0u);
    EXPECT_EQ(le16(ico, 2), 1u) << "type 1 is an icon, 2 a cursor";
    std::set<int> sizes;
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        EXPECT_EQ(ico[entry], ico[entry + 1]) << "image " << i << " is square";
        EXPECT_EQ(ico[entry + 2], 0) << "no palette";
        EXPECT_EQ(le16(ico, entry + 4), 1u) << "planes";
        EXPECT_EQ(le16(ico, entry + 6), 32u) << "bits per pixel";
        sizes.insert(ico[entry]);
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

TEST_F(Icon, ImagesDoNotOverlap)
{
    const Image a = ImageAt(0);
    const Image b = ImageAt(1);
    const bool apart = a.offset + ImageBytes(a.size) <= b.offset || b.offset + ImageBytes(b.size) <= a.offset;
    EXPECT_TRUE(apart);
}

TEST_F(Icon, EachImageHasAPlain32BitHeader)
{
    for (std::size_t i = 0; i < 2; ++i) {
        const Image image = ImageAt(i);
        EXPECT_EQ(le32(ico, image.offset), 40u) << "image " << i;
        EXPECT_EQ(le32s(ico, image.offset + 4), image.size) << "image " << i;
        // Icons declare the colour and mask bitmaps stacked, hence twice the height.
        EXPECT_EQ(le32s(ico, image.offset + 8), 2 * image.size) << "image " << i;
        EXPECT_EQ(le16(ico, image.offset + 12), 1u) << "image " << i;
        EXPECT_EQ(le16(ico, image.offset + 14), 32u) << "image " << i;
        EXPECT_EQ(le32(ico, image.offset + 16), 0u) << "image " << i << " is uncompressed";
    }
}

TEST_F(Icon, SunOnATransparentBackground)
{
    for (std::size_t i = 0; i < 2; ++i) {
        const Image image = ImageAt(i);
        const int last = image.size - 1;
        for (auto [x, y] : {std::pair{0, 0}, std::pair{last, 0}, std::pair{0, last}, std::pair{last, last}})
            EXPECT_EQ(Alpha(image, x, y), 0u) << "image " << i << " corner " << x << "," << y;
        EXPECT_EQ(Alpha(image, image.size / 2, image.size / 2), 255u) << "image " << i << " centre";

        int transparent = 0;
        for (int y = 0; y < image.size; ++y)
            for (int x = 0; x < image.size; ++x) transparent += Alpha(image, x, y) == 0;
        EXPECT_GT(transparent, image.size * image.size / 4) << "image " << i;
        EXPECT_LT(transparent, image.size * image.size * 9 / 10) << "image " << i;
    }
}

TEST_F(Icon, MaskMatchesAlpha)
{
    // Where alpha blending is unavailable Windows draws through the mask, so a
    // mask that disagrees shows a black box or a hole.
    for (std::size_t i = 0; i < 2; ++i) {
        const Image image = ImageAt(i);
        int mismatches = 0;
        for (int y = 0; y < image.size; ++y)
            for (int x = 0; x < image.size; ++x)
                mismatches += MaskBit(image, x, y) != (Alpha(image, x, y) == 0);
        EXPECT_EQ(mismatches, 0) << "image " << i;
    }
}

}  // namespace
