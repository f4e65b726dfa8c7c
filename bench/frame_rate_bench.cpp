// Frames per second and 99th-percentile frame time at 1024 × 768 on an
// offscreen Mesa context, for three frames side by side:
//   literal  — every sphere tessellated by the quadric, one primitive a star;
//   the renderer's own path (what the show draws);
//   empty    — the clear plus the Sun's two blended squares, the floor any
//              frame of this scene pays.
// The paths take turns in short rounds, so a load that comes and goes on the
// machine falls on all three alike.
// Run: build/native/bench/frame_rate_bench [frames [name]]; with a name only
// that series runs (for a profiler) and no ratios are printed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "frame_draw.h"
#include "frame_steps.h"
#include "projection.h"
#include "scene.h"
#include "support/offscreen_gl.h"
#include "support/shell_double.h"

namespace {

using Clock = std::chrono::steady_clock;

// Processor time in milliseconds: on a shared machine it shows the work a
// frame costs apart from the time spent waiting for a processor.
double cpuMs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

constexpr int kRounds = 10;

void drawEmptyFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    applyCamera();
    glPushMatrix();
    drawSun(theScene());
    glPopMatrix();
}

struct Series {
    const char* name;
    bool empty;
    DrawPath path;
    std::vector<double> frameMs;
    double totalSeconds = 0;
    double mainCpuMs = 0;   // the thread that calls OpenGL
    double allCpuMs = 0;    // with the rasteriser's threads

    void run(int frames, const OrbitAngles& from)
    {
        Scene& scene = theScene();
        scene.drawPath = path;
        scene.angles = from;   // every path draws the same run of frames
        const double main0 = cpuMs(CLOCK_THREAD_CPUTIME_ID), all0 = cpuMs(CLOCK_PROCESS_CPUTIME_ID);
        for (int i = 0; i < frames; ++i) {
            const Clock::time_point start = Clock::now();
            advanceOrbits(16);
            if (empty) drawEmptyFrame();
            else drawFrame();
            glFinish();
            const std::chrono::duration<double> took = Clock::now() - start;
            frameMs.push_back(took.count() * 1000.0);
            totalSeconds += took.count();
        }
        mainCpuMs += cpuMs(CLOCK_THREAD_CPUTIME_ID) - main0;
        allCpuMs += cpuMs(CLOCK_PROCESS_CPUTIME_ID) - all0;
    }

    double rate() const { return frameMs.size() / totalSeconds; }

    double percentileMs(double p) const
    {
        std::vector<double> sorted = frameMs;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t at = static_cast<std::size_t>(p * (sorted.size() - 1) + 0.5);
        return sorted[at];
    }
};

} // namespace

int main(int argc, char** argv)
{
    const int frames = std::max(kRounds, argc > 1 ? std::atoi(argv[1]) : 600);
    const char* only = argc > 2 ? argv[2] : nullptr;
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

    Series series[] = {{"literal", false, DrawPath::Literal, {}},
                       {drawPathName(DrawPath::Compiled), false, DrawPath::Compiled, {}},
                       {"empty", true, DrawPath::Compiled, {}}};
    for (Series& s : series) {
        s.frameMs.reserve(frames);
        s.run(2, OrbitAngles());   // warm-up: first use of every texture and state
        s.frameMs.clear();
        s.totalSeconds = s.mainCpuMs = s.allCpuMs = 0;
    }
    const int perRound = frames / kRounds;
    OrbitAngles from;
    for (int round = 0; round < kRounds; ++round) {
        for (Series& s : series) {
            if (only == nullptr || std::strcmp(only, s.name) == 0) s.run(perRound, from);
        }
        from = theScene().angles;
    }

    std::printf("drawFrame at 1024 x 768, %d frames each in %d rounds, %s\n", perRound * kRounds, kRounds,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    for (const Series& s : series) {
        if (s.frameMs.empty()) continue;
        const double n = static_cast<double>(s.frameMs.size());
        std::printf("%-9s %8.1f frames/s   median %6.2f ms   p99 %6.2f ms   cpu/frame %5.2f ms main + %5.2f ms "
                    "rasteriser\n",
                    s.name, s.rate(), s.percentileMs(0.5), s.percentileMs(0.99), s.mainCpuMs / n,
                    (s.allCpuMs - s.mainCpuMs) / n);
    }
    if (only != nullptr) {
        sceneRelease();
        return 0;
    }
    const Series& own = series[1];
    std::printf("ratio %s/literal: %5.2f\n", own.name, own.rate() / series[0].rate());
    std::printf("ratio %s/empty:   %5.2f\n", own.name, own.rate() / series[2].rate());
    sceneRelease();
    return 0;
}
