#pragma once
// Geometry and colours of the Command button's face, in twips as designed
// and in pixels as drawn. No windows.h.

#include <array>
#include <cstdint>

struct TwipRect {
    int x, y, width, height;
};

struct PixelRect {
    int x, y, width, height;
};

// One of the eight frame pieces copied from a state image onto the face.
struct FacePiece {
    TwipRect destination;
    TwipRect source;
};

// Corners 1:1, edges scaled to the button's size; the inside stays the gradient's.
std::array<FacePiece, 8> FacePieces(int widthTwips, int heightTwips);

// Twips to whole pixels at the display's scale (15 twips a pixel at 96 dpi).
int TwipsToPixels(int twips, double twipsPerPixel);
PixelRect ToPixels(const TwipRect& rect, double twipsPerPixel);

// A gradient vertex from a "&HRRGGBB" literal: each pair in the high byte
// of a 16-bit channel.
struct VertexColour {
    std::uint16_t red, green, blue;
};
VertexColour GradientVertexColour(const char* literal);

extern const char* const kGradientLight;   // "&HFFFFFF"
extern const char* const kGradientShade;   // "&HC6C5D7"

// The colours at the face's top and bottom for the gradient direction.
struct FaceGradient {
    VertexColour top, bottom;
};
FaceGradient GradientFor(bool reversed);

constexpr int kCaptionHeightTwips = 195;
// The caption's top in twips: (H - caption height - 20) / 2.
double CaptionTop(int heightTwips);
