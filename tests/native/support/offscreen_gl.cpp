#include "offscreen_gl.h"

#include <GL/osmesa.h>

OffscreenGl::OffscreenGl(int width, int height)
    : width_(width), height_(height), buffer_(static_cast<std::size_t>(width) * height * 4)
{
    // 16-bit depth, as the renderer's pixel format asks for.
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (context == nullptr) return;
    context_ = context;
    ready_ = OSMesaMakeCurrent(context, buffer_.data(), GL_UNSIGNED_BYTE, width, height) == GL_TRUE;
}

OffscreenGl::~OffscreenGl()
{
    if (context_ != nullptr) OSMesaDestroyContext(static_cast<OSMesaContext>(context_));
}

void OffscreenGl::readBack()
{
    glFinish();
    readBack_.assign(static_cast<std::size_t>(width_) * height_ * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, readBack_.data());
}

Rgb OffscreenGl::at(int x, int y) const
{
    const int row = height_ - 1 - y;   // GL's rows run bottom up
    const std::uint8_t* p = &readBack_[(static_cast<std::size_t>(row) * width_ + x) * 4];
    return {p[0], p[1], p[2]};
}
