// The preview form's style bits, written out with the system's values:
// WS_POPUP 0x80000000, WS_CHILD 0x40000000, WS_VISIBLE 0x10000000,
// WS_CAPTION 0x00C00000 (WS_BORDER 0x00800000 | WS_DLGFRAME 0x00400000),
// WS_THICKFRAME 0x00040000.

#include <gtest/gtest.h>

#include "preview_style.h"

namespace {

TEST(PreviewStyle, CreatedAsAHiddenPopupWithoutFrameOrCaption)
{
    const std::uint32_t style = PreviewCreationStyle();
    EXPECT_EQ(style & 0x80000000u, 0x80000000u) << "a popup";
    EXPECT_EQ(style & 0x00800000u, 0u) << "no border";
    EXPECT_EQ(style & 0x00400000u, 0u) << "no caption bar";
    EXPECT_EQ(style & 0x00040000u, 0u) << "no sizing frame";
    EXPECT_EQ(style & 0x10000000u, 0u) << "hidden until placed";
    EXPECT_EQ(style & 0x40000000u, 0u) << "a child only once placed";
}

TEST(PreviewStyle, JoiningTheAreaAddsTheChildBitAndChangesNoOther)
{
    EXPECT_EQ(PreviewChildStyle(0x80000000u), 0xC0000000u);
    EXPECT_EQ(PreviewChildStyle(0x84000000u), 0xC4000000u);   // with WS_CLIPSIBLINGS
    EXPECT_EQ(PreviewChildStyle(0x94CF0000u), 0xD4CF0000u);
    EXPECT_EQ(PreviewChildStyle(0x40000000u), 0x40000000u);
    EXPECT_EQ(PreviewChildStyle(0u), 0x40000000u);
}

} // namespace
