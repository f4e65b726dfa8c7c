#include "preview_style.h"

namespace {

// The system's values of WS_POPUP and WS_CHILD.
constexpr std::uint32_t kStylePopup = 0x80000000u;
constexpr std::uint32_t kStyleChild = 0x40000000u;

} // namespace

std::uint32_t PreviewCreationStyle()
{
    return kStylePopup;
}

std::uint32_t PreviewChildStyle(std::uint32_t readStyle)
{
    return readStyle | kStyleChild;
}
