#pragma once
// A 24-bit bitmap file's bytes, read where they lie: the rows are not copied.

#include <cstddef>

#include "texture_set.h"

// Fills width, height and bgrRows (pointing into bytes) when the bytes hold
// an uncompressed 24-bit bitmap with a 40-byte information header, stored
// bottom row first, whose rows all lie inside the bytes. False otherwise,
// with the bitmap untouched.
bool readBitmapBytes(const unsigned char* bytes, std::size_t size, TextureBitmap& bitmap);
