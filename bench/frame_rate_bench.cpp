// Frames per second of drawFrame at 1024 × 768 on an offscreen Mesa context,
// for the literal path (every sphere tessellated each frame, one primitive a
// star) and the compiled path (display lists made once per context).

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "frame_draw.h"
#include "projection.h"
#include "scene.h"
#include "support/offscreen_gl.h"
#include "support/shell_double.h"

namespace {

double framesPerSecond(DrawPath path, int frames)
{
    theScene().drawPath = path;
    drawFrame();   // warm-up: first use of every texture
    glFinish();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames; ++i) {
        advanceOrbits(16);
        drawFrame();
        glFinish();
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return frames / took.count();
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    OffscreenGl gl(1024, 768);
    if (!gl.ready()) {
        std::fprintf(stderr, "no offscreen Mesa context\n");
        return 1;
    }
    QuitRecorder window;
    KeyState keys;
    clearKeyState(keys);
    setProjection(1024, 768);
    sceneInit(window, keys);

    const double literal = framesPerSecond(DrawPath::Literal, frames);
    const double compiled = framesPerSecond(DrawPath::Compiled, frames);
    std::printf("drawFrame at 1024 x 768, %d frames each, %s\n", frames,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("literal path:  %8.1f frames/s\n", literal);
    std::printf("compiled path: %8.1f frames/s\n", compiled);
    std::printf("ratio:         %8.2f\n", compiled / literal);
    sceneRelease();
    return 0;
}
