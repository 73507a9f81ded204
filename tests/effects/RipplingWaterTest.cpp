// Rippling water: the wave and mask on pixels, the phase, the effect files and stopping.
#include "effects/RipplingWater.h"
#include "ProjectWriter.h"
#include "core/Clock.h"
#include "core/Twips.h"
#include "core/ValueListReader.h"
#include "scene/PictureBox.h"

#include <QFile>

#include <gtest/gtest.h>

namespace quillora {
namespace {

// A picture whose every pixel differs from its neighbours in the row.
QImage Stripes(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 37) % 256, (y * 11) % 256, (x * 5) % 256));
    return image;
}

// Left half black (water), right half white.
QImage HalfWaterMask(int w, int h) {
    QImage mask(w, h, QImage::Format_RGB32);
    mask.fill(Qt::white);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w / 2; ++x)
            mask.setPixel(x, y, qRgb(0, 0, 0));
    return mask;
}

TEST(WaveLibrary, TheRippleMovesWaterPixelsAndLeavesTheOthersExactlyAlone) {
    const int w = 60, h = 40;
    const QImage original = Stripes(w, h);
    const QImage mask = HalfWaterMask(w, h);
    QImage masked = original.copy();
    MergePaintMask(masked, mask);
    EXPECT_EQ(masked.pixel(5, 5), qRgb(255, 255, 255)); // water turns white
    EXPECT_EQ(masked.pixel(50, 5), original.pixel(50, 5));

    for (const float phase : {0.3F, 2.0F, -4.5F}) {
        QImage rippling = original.copy();
        ZarnWave(rippling, 0, 0, w, h, original, 0, 0, 24, 4, phase, 90.0, 0.0);
        ZarnFastMask(rippling, 0, 0, w, h, masked, 0, 0, mask, 0, 0, 0);
        int moved = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (x >= w / 2) {
                    ASSERT_EQ(rippling.pixel(x, y), original.pixel(x, y)) << x << "," << y;
                } else {
                    moved += rippling.pixel(x, y) != original.pixel(x, y);
                }
            }
        }
        EXPECT_GT(moved, w * h / 4) << phase;
    }
}

TEST(WaveLibrary, HugeStrengthsAndRectanglesBeyondTheImagesStayInside) {
    const QImage original = Stripes(30, 20);
    QImage rippling = original.copy();
    ZarnWave(rippling, -10, -5, 1000, 1000, original, 0, 0, 32767, 4, 1.0F, 90.0, 0.0);
    ZarnWave(rippling, 0, 0, 30, 20, original, 25, 15, -32768, 0, 1.0F, 0.0, 2.0);
    ZarnFastMask(rippling, 20, 10, 50, 50, original, 0, 0, HalfWaterMask(4, 4), -3, 2, 0);
    EXPECT_EQ(rippling.size(), QSize(30, 20));
}

TEST(WaveLibrary, PhaseFollowsTheSpeedAndDirection) {
    EXPECT_FLOAT_EQ(WavePhase(8, false, 300), 1.0F); // (10/10)^4 / 300 per count
    EXPECT_FLOAT_EQ(WavePhase(8, true, 300), -1.0F);
    EXPECT_FLOAT_EQ(WavePhase(-2, false, 123456), 0.0F); // frozen
    EXPECT_FLOAT_EQ(WavePhase(3, false, 4800), 1.0F);    // (5/10)^4 / 300 × 4800
}

TEST(WaveLibrary, TheEffectClockCountsMillisecondsFromItsRestart) {
    ManualClock clock(100);
    SetClock(&clock);
    EffectClock effect;
    EXPECT_EQ(effect.ZarnTime(1), 0);
    clock.Advance(1.5);
    EXPECT_EQ(effect.ZarnTime(0), 1500);
    SetClock(nullptr);
}

class Water : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock);
        box.SetFrameSize(PixelsToTwips(200), PixelsToTwips(100));
        box.SetPicture(Stripes(200, 100));
    }
    void TearDown() override { SetClock(nullptr); }
    void Load() {
        water.LoadWaveEffectIfAny(project.Root() + "Frames/Bay.rwe",
                                  project.Root() + "Frames/Bay.rwm");
    }

    test::ProjectWriter project;
    ManualClock clock{1000, 0.001};
    PictureBox box;
    bool stopEverything = false;
    std::vector<std::string> errors;
    std::function<void()> tickDrawn;
    RipplingWater water{
        box, stopEverything,
        WaterHooks{[this](const std::string& literal, const std::string& description) {
                       errors.push_back(literal + description);
                   },
                   [this] {
                       if (tickDrawn) tickDrawn();
                   }}};
};

TEST_F(Water, RipplesTheMaskedRectangleOfTheBackgroundOnItsTimer) {
    project.WriteWaterEffect("Bay", {.Left = 20, .Top = 30, .Width = 60, .Height = 40});
    project.WriteWaterMask("Bay", HalfWaterMask(60, 40));
    Load();
    ASSERT_TRUE(water.WaveEffectActive());
    EXPECT_TRUE(water.Element().Visible());
    EXPECT_FALSE(water.TimerEnabled()); // the frame opener starts it once the frame is complete
    water.Start();
    EXPECT_TRUE(water.TimerEnabled());
    clock.Advance(0.4);
    water.Tick();
    const QImage frame = box.Capture();
    const QImage background = Stripes(200, 100);
    int moved = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const bool waterPixel = x >= 20 && x < 50 && y >= 30 && y < 70;
            if (!waterPixel) {
                ASSERT_EQ(frame.pixel(x, y), background.pixel(x, y)) << x << "," << y;
            } else {
                moved += frame.pixel(x, y) != background.pixel(x, y);
            }
        }
    }
    EXPECT_GT(moved, 300);
    water.Stop();
    EXPECT_FALSE(water.WaveEffectActive());
    EXPECT_FALSE(water.TimerEnabled());
    EXPECT_FALSE(water.Element().Visible());
    EXPECT_TRUE(errors.empty());
}

TEST_F(Water, EffectFilesOfEveryShapeGiveTheirMessageOrNone) {
    struct Case {
        test::WaterSpec spec;
        bool maskFile;
        QImage mask;
        bool active;
        std::string error;
    };
    const std::vector<Case> cases = {
        {{}, false, {}, false, ""},                                       // no mask file
        {{.WithReverse = false}, true, HalfWaterMask(100, 50), true, ""}, // twelve values
        {{.Strength = 32767}, true, HalfWaterMask(100, 50), true, ""},
        {{.Left = 150, .Top = 80}, true, HalfWaterMask(7, 3), true, ""}, // half outside, other size
        {{.Left = 500, .Top = 20}, true, HalfWaterMask(100, 50), false, ""}, // all outside
        {{.Width = 0}, true, HalfWaterMask(100, 50), false, ""},
        {{.Width = -20},
         true,
         HalfWaterMask(100, 50),
         false,
         " Error initializing the Rippling Water effect. Invalid property value"},
        {{.Height = 40000},
         true,
         HalfWaterMask(100, 50),
         false,
         " Error initializing the Rippling Water effect. Overflow"},
        {{.Speed = "fast"},
         true,
         HalfWaterMask(100, 50),
         false,
         " Error initializing the Rippling Water effect. Type mismatch"},
    };
    const std::string speedDetail = "Frames/Bay.rwe\", line 12 (value 12): expected a whole "
                                    "number from -32768 to 32767, found \"fast\".";
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        errors.clear();
        project.WriteWaterEffect("Bay", c.spec);
        QFile::remove(QString::fromStdString(project.Root() + "Frames/Bay.rwm"));
        if (c.maskFile) project.WriteWaterMask("Bay", c.mask);
        Load();
        EXPECT_EQ(water.WaveEffectActive(), c.active) << i;
        // The classic text, then the file's place when a value of it was wrong.
        std::vector<std::string> classic;
        for (const std::string& error : errors)
            classic.push_back(error.substr(0, error.find("\r\n\r\n\"" + project.Root())));
        EXPECT_EQ(classic,
                  c.error.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.error})
            << i;
        if (c.active) {
            water.Start();
            clock.Advance(1);
            water.Tick();
            EXPECT_FALSE(water.Settings().WaveReverse);
        }
        water.Stop();
    }
    ASSERT_EQ(errors.size(), 1u); // the last case: a speed that is no number
    EXPECT_TRUE(errors[0].ends_with(speedDetail)) << errors[0];
}

TEST_F(Water, AnUnreadableMaskMakesTheWholeRectangleWater) {
    project.WriteWaterEffect("Bay", {.Left = 0, .Top = 0, .Width = 100, .Height = 50});
    project.WriteBytes("Frames/Bay.rwm", "not a picture");
    Load();
    ASSERT_TRUE(water.WaveEffectActive());
    EXPECT_TRUE(errors.empty());
    water.Start();
    clock.Advance(0.7);
    water.Tick();
    int movedRight = 0;
    for (int x = 50; x < 100; ++x)
        movedRight += water.CurrentImage().pixel(x, 20) != Stripes(200, 100).pixel(x, 20);
    EXPECT_GT(movedRight, 10);
}

TEST_F(Water, AStopAskedDuringATickWaitsForItUpToTheLimit) {
    clock = ManualClock(1000, 0.5);
    project.WriteWaterEffect("Bay", {});
    project.WriteWaterMask("Bay", HalfWaterMask(100, 50));
    Load();
    water.Start();
    double waited = -1;
    tickDrawn = [&] {
        // Another handler (a frame opening) stops the water while this tick has not finished.
        tickDrawn = nullptr;
        const double before = clock.SecondsSinceMidnight();
        water.Stop();
        waited = ElapsedSeconds(before, clock.SecondsSinceMidnight());
        EXPECT_FALSE(water.RippleTickDone());
    };
    water.Tick();
    EXPECT_GE(waited, RipplingWater::kStopWaitSeconds);
    EXPECT_TRUE(water.RippleTickDone());
    EXPECT_FALSE(water.TimerEnabled());
    EXPECT_FALSE(water.Element().Visible());
    // Outside a tick, stopping does not wait.
    Load();
    water.Start();
    const double before = clock.SecondsSinceMidnight();
    water.Stop();
    EXPECT_LT(ElapsedSeconds(before, clock.SecondsSinceMidnight()), 1);
}

TEST_F(Water, EverythingStoppedEndsTheTimerAtItsNextTick) {
    project.WriteWaterEffect("Bay", {});
    project.WriteWaterMask("Bay", HalfWaterMask(100, 50));
    Load();
    water.Start();
    stopEverything = true;
    water.Tick();
    EXPECT_FALSE(water.TimerEnabled());
}

} // namespace
} // namespace quillora
