// Speed of the transition steps and the ripple tick, and the processor time a running
// transition takes per displayed frame.
#include "ProjectWriter.h"
#include "core/Twips.h"
#include "effects/RipplingWater.h"
#include "effects/Transitions.h"
#include "scene/PictureBox.h"

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QScreen>

#include <chrono>
#include <sys/resource.h>

namespace {

using namespace quillora;

QImage Noise(int w, int h, unsigned seed) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245 + 12345;
            row[x] = 0xFF000000 | (seed >> 8);
        }
    }
    return image;
}

void TransitionStep(benchmark::State& state) {
    const int number = static_cast<int>(state.range(0));
    const QImage old = Noise(1024, 768, 1), fresh = Noise(1024, 768, 2);
    QImage target(1024, 768, QImage::Format_RGB32);
    double g = 0;
    for (auto _ : state) {
        RenderTransitionStep(number, g, old, fresh, target);
        benchmark::DoNotOptimize(target.constBits());
        g = g >= 1 ? 0 : g + 0.01;
    }
}
// A 1024x768 cross-fade (1) and slide (3) step; 60 steps a second need well under 16 ms.
BENCHMARK(TransitionStep)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void RippleTick(benchmark::State& state) {
    test::ProjectWriter project;
    project.WriteWaterEffect("Bay", {.Left = 0, .Top = 280, .Width = 640, .Height = 200});
    QImage mask(640, 200, QImage::Format_RGB32);
    mask.fill(Qt::black);
    QPainter(&mask).fillRect(0, 0, 640, 40, Qt::white); // a strip of shore
    project.WriteWaterMask("Bay", mask);
    PictureBox box;
    box.SetFrameSize(PixelsToTwips(640), PixelsToTwips(480));
    box.SetPicture(Noise(640, 480, 3));
    const bool stop = false;
    RipplingWater water(box, stop, {});
    water.LoadWaveEffectIfAny(project.Root() + "Frames/Bay.rwe", project.Root() + "Frames/Bay.rwm");
    water.Start();
    if (!water.WaveEffectActive()) state.SkipWithError("no water");
    for (auto _ : state)
        water.Tick();
    water.Stop();
}
// One 30 ms tick of a 640x200 water rectangle.
BENCHMARK(RippleTick)->Unit(benchmark::kMillisecond);

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A real two-second 1024x768 cross-fade on a shown frame area, paced by the display: processor
// time per displayed frame against the refresh period.
void CrossFadeProcessorTime(benchmark::State& state) {
    PictureBox box;
    box.SetFrameSize(PixelsToTwips(1024), PixelsToTwips(768));
    box.resize(1024, 768);
    box.SetPicture(Noise(1024, 768, 4));
    box.show();
    bool abort = false;
    int steps = 0;
    FrameTransitions transitions(box, abort,
                                 {[&] { return box.Capture(); }, [&](double) { ++steps; }, {}});
    double processor = 0, wall = 0;
    for (auto _ : state) {
        steps = 0;
        transitions.CaptureOldFrame(1);
        const QImage fresh = Noise(1024, 768, 5);
        const auto start = std::chrono::steady_clock::now();
        const double before = ProcessorSeconds();
        transitions.RunTransition(1, 2.0, fresh);
        processor = ProcessorSeconds() - before;
        wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        transitions.Release();
    }
    const double rate = box.screen() != nullptr ? box.screen()->refreshRate() : 60;
    state.counters["steps"] = steps;
    state.counters["refreshes"] = wall * rate;
    state.counters["cpu_ms_per_step"] = processor * 1000 / std::max(1, steps);
    state.counters["refresh_ms"] = 1000 / rate;
    state.counters["cpu_share"] = processor / wall;
}
BENCHMARK(CrossFadeProcessorTime)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
