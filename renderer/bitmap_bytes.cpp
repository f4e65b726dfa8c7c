#include "bitmap_bytes.h"

#include <cstdint>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

std::uint32_t le32(const unsigned char* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

std::uint16_t le16(const unsigned char* at)
{
    return static_cast<std::uint16_t>(at[0] | at[1] << 8);
}

} // namespace

bool readBitmapBytes(const unsigned char* bytes, std::size_t size, TextureBitmap& bitmap)
{
    if (bytes == nullptr || size < kFileHeaderSize + kInfoHeaderSize) return false;
    if (bytes[0] != 'B' || bytes[1] != 'M') return false;

    const unsigned char* info = bytes + kFileHeaderSize;
    const std::uint32_t offset = le32(bytes + 10);
    // Signed: a negative height means rows stored top first, which OpenGL would show upside down.
    const auto width = static_cast<std::int32_t>(le32(info + 4));
    const auto height = static_cast<std::int32_t>(le32(info + 8));
    if (le32(info) != kInfoHeaderSize || le16(info + 12) != 1 || le16(info + 14) != 24 || le32(info + 16) != 0)
        return false;
    // Larger sides than any texture may have would overflow the size below.
    if (width <= 0 || height <= 0 || width > 65536 || height > 65536) return false;

    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t(3);
    if (offset < kFileHeaderSize + kInfoHeaderSize || offset + stride * height > size) return false;

    bitmap.width = width;
    bitmap.height = height;
    bitmap.bgrRows = bytes + offset;
    bitmap.owner = nullptr;
    return true;
}
