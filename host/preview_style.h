#pragma once
// The preview form's window style bits, kept apart from the window code so
// they can be checked without a window.

#include <cstdint>

// As created: a bare popup with no border and no caption, not yet visible.
std::uint32_t PreviewCreationStyle();

// The style written back before the form joins the preview area: the style
// read from the window with the child bit added and no other bit changed.
std::uint32_t PreviewChildStyle(std::uint32_t readStyle);
