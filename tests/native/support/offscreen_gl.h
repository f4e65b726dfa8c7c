#pragma once
// An offscreen Mesa rendering context for pixel tests of the drawing code.

#include <cstdint>
#include <vector>

struct Rgb {
    int r, g, b;
};

class OffscreenGl {
public:
    OffscreenGl(int width, int height);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    bool ready() const { return ready_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // Reads the finished image back; rows from the top of the screen down.
    void readBack();
    Rgb at(int x, int y) const;
    const std::vector<std::uint8_t>& rgba() const { return readBack_; }

private:
    int width_;
    int height_;
    bool ready_ = false;
    void* context_ = nullptr;
    std::vector<std::uint8_t> buffer_;
    std::vector<std::uint8_t> readBack_;
};
