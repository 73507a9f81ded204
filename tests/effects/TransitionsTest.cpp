// Transitions: the pixels of each step, the animation loop's ends, and the new frame's picture.
#include "effects/Transitions.h"
#include "core/Clock.h"
#include "core/Twips.h"
#include "effects/DisplayPacer.h"
#include "effects/FrameCapture.h"
#include "scene/ControlArray.h"
#include "scene/PictureBox.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace quillora {
namespace {

QImage Filled(int w, int h, QColor colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Red holds the column, green the row: every pixel tells where it came from.
QImage Numbered(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x, y, 200));
    return image;
}

TEST(TransitionStep, CrossFadeBlendsWithTheConstantAlphaOfTheProgress) {
    const QImage red = Filled(64, 48, Qt::red), blue = Filled(64, 48, Qt::blue);
    QImage target(64, 48, QImage::Format_RGB32);
    RenderTransitionStep(1, 0.5, red, blue, target);
    // Alpha 128 of 255: blue 255 × 128 / 255 over red 255 × 127 / 255.
    EXPECT_EQ(target.pixel(10, 10), qRgb(127, 0, 128));
    EXPECT_EQ(target.pixel(63, 47), qRgb(127, 0, 128));
    RenderTransitionStep(0, 0, red, blue, target);
    EXPECT_EQ(target.pixel(5, 5), qRgb(255, 0, 0));
    RenderTransitionStep(0, 1, red, blue, target);
    EXPECT_EQ(target.pixel(5, 5), qRgb(0, 0, 255));
}

TEST(TransitionStep, SlidesAtAQuarterShowTheNewFramesQuarterAtTheEnteringEdge) {
    const int w = 80, h = 60;
    const QImage old = Filled(w, h, Qt::black), fresh = Numbered(w, h);
    QImage target(w, h, QImage::Format_RGB32);
    // Slide left: the new frame's right quarter at the left edge.
    RenderTransitionStep(2, 0.25, old, fresh, target);
    EXPECT_EQ(target.pixel(0, 7), fresh.pixel(60, 7));
    EXPECT_EQ(target.pixel(19, 7), fresh.pixel(79, 7));
    EXPECT_EQ(target.pixel(20, 7), qRgb(0, 0, 0));
    // Slide right: its left quarter at the right edge.
    RenderTransitionStep(3, 0.25, old, fresh, target);
    EXPECT_EQ(target.pixel(60, 3), fresh.pixel(0, 3));
    EXPECT_EQ(target.pixel(79, 3), fresh.pixel(19, 3));
    EXPECT_EQ(target.pixel(59, 3), qRgb(0, 0, 0));
    // Slide up: its bottom quarter at the top; slide down: its top quarter at the bottom.
    RenderTransitionStep(4, 0.25, old, fresh, target);
    EXPECT_EQ(target.pixel(9, 0), fresh.pixel(9, 45));
    EXPECT_EQ(target.pixel(9, 15), qRgb(0, 0, 0));
    RenderTransitionStep(5, 0.25, old, fresh, target);
    EXPECT_EQ(target.pixel(9, 45), fresh.pixel(9, 0));
    EXPECT_EQ(target.pixel(9, 44), qRgb(0, 0, 0));
}

class Animation : public ::testing::Test {
protected:
    void SetUp() override {
        SetClock(&clock);
        box.SetFrameSize(PixelsToTwips(64), PixelsToTwips(48));
        box.resize(64, 48);
        box.SetPicture(Filled(64, 48, Qt::red));
        transitions.SetPacer(std::make_unique<EventsOnlyPacer>());
        transitions.Overlay().OnMouseDown = [this](const ElementMouse&) { abort = true; };
    }
    void TearDown() override { SetClock(nullptr); }

    // Each read of the clock moves it on by 10 ms.
    ManualClock clock{1000, 0.01};
    PictureBox box;
    bool abort = false;
    std::vector<double> fades;
    std::vector<std::string> errors;
    bool runningSeen = false;
    std::function<void()> duringStep;
    FrameTransitions transitions{
        box, abort,
        TransitionHooks{[this] { return box.Capture(); },
                        [this](double f) {
                            fades.push_back(f);
                            runningSeen |=
                                transitions.TransitionRunning() && transitions.SurfaceShown();
                            if (duringStep) duringStep();
                        },
                        [this](const std::string& literal, const std::string& description) {
                            errors.push_back(literal + description);
                        }}};
};

TEST_F(Animation, CrossFadeCoversTheBuildThenRunsItsTimeDrivingTheFades) {
    transitions.CaptureOldFrame(1);
    EXPECT_TRUE(transitions.SurfaceShown());
    box.SetPicture(Filled(64, 48, Qt::blue)); // the new frame is built beneath
    EXPECT_EQ(box.Capture().pixel(3, 3), qRgb(255, 0, 0));
    transitions.RunTransition(1, 0.5, box.Capture());
    EXPECT_TRUE(runningSeen);
    ASSERT_GE(fades.size(), 10u);
    EXPECT_TRUE(std::is_sorted(fades.begin(), fades.end() - 1));
    EXPECT_GT(fades[fades.size() - 2], 1.0); // the round past the end, then the finish
    EXPECT_EQ(fades.back(), 1.0);
    EXPECT_FALSE(transitions.TransitionRunning());
    EXPECT_FALSE(transitions.SurfaceShown());
    EXPECT_EQ(box.Capture().pixel(3, 3), qRgb(0, 0, 255));
}

TEST_F(Animation, APressEndsTheSlideWhereItIsAndReachesNothingBeneath) {
    SceneElement& hotspot = box.Create(ElementKind::Image, "Area", 1);
    hotspot.Move(0, 0, PixelsToTwips(64), PixelsToTwips(48));
    bool hotspotPressed = false;
    hotspot.OnMouseDown = [&](const ElementMouse&) { hotspotPressed = true; };
    transitions.CaptureOldFrame(3);
    EXPECT_FALSE(transitions.SurfaceShown()); // slides leave the frame visible while it builds
    duringStep = [this] {
        if (fades.size() == 3) QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(30, 20));
    };
    transitions.RunTransition(3, 100, Filled(64, 48, Qt::blue));
    EXPECT_FALSE(hotspotPressed);
    EXPECT_FALSE(abort); // taken and cleared by the loop
    ASSERT_EQ(fades.size(), 4u);
    EXPECT_LT(fades[2], 0.01);
    EXPECT_EQ(fades.back(), 1.0);
    EXPECT_FALSE(transitions.SurfaceShown());
}

TEST_F(Animation, NumbersOutsideTheTableAndNoDurationAnimateNothingButFinishTheFades) {
    for (const auto& [number, duration] :
         std::vector<std::pair<int, double>>{{6, 1}, {-1, 1}, {1, 0}, {2, -3}}) {
        fades.clear();
        transitions.CaptureOldFrame(number);
        transitions.RunTransition(number, duration, Filled(64, 48, Qt::blue));
        EXPECT_FALSE(runningSeen);
        EXPECT_EQ(fades, std::vector<double>{1.0}) << number << " " << duration;
        transitions.Release();
    }
    EXPECT_TRUE(errors.empty());
}

TEST_F(Animation, ARenderingErrorIsReportedOnceAndStillFinishesTheFades) {
    transitions.CaptureOldFrame(1);
    transitions.RunTransition(1, 1, QImage());
    transitions.RunTransition(1, 1, QImage());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].rfind(" Error rendering the full-screen alphablending transitions.", 0),
              0u);
    EXPECT_EQ(fades, (std::vector<double>{1.0, 1.0}));
    transitions.ResetErrorShown();
    transitions.RunTransition(1, 1, QImage());
    EXPECT_EQ(errors.size(), 2u);
}

TEST_F(Animation, TheClockPassingMidnightEndsTheAnimation) {
    clock = ManualClock(86399.995, 0.01); // the read after the start is past midnight
    transitions.CaptureOldFrame(2);
    transitions.RunTransition(2, 30, Filled(64, 48, Qt::blue));
    EXPECT_EQ(fades.size(), 2u);
    EXPECT_EQ(fades.back(), 1.0);
}

TEST(DisplayPacing, PeriodOfTheScreensRefresh) {
    EXPECT_EQ(DisplayPacer::PeriodMilliseconds(60), 17);
    EXPECT_EQ(DisplayPacer::PeriodMilliseconds(144), 7);
    EXPECT_EQ(DisplayPacer::PeriodMilliseconds(0), 17);
    EXPECT_EQ(DisplayPacer::PeriodMilliseconds(1e9), 17);
}

TEST(DisplayPacing, WaitsForTheNextRefreshOrTheStopRequest) {
    QWidget widget;
    DisplayPacer pacer;
    pacer.Begin(&widget);
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    pacer.WaitForNextFrame({});
    EXPECT_TRUE(handled); // events are handled during the wait
    pacer.WaitForNextFrame([] { return true; });
    pacer.End();
}

TEST(PrintedLines, CarriageReturnsSplitTheCaptionAsTheClassicPrintDid) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(PrintedLines("one\r\ntwo"), (Lines{"one", "two"}));
    EXPECT_EQ(PrintedLines("one\r\n"), (Lines{"one"}));
    EXPECT_EQ(PrintedLines("a\rbc"), (Lines{"a", "c"})); // two characters skipped
    EXPECT_EQ(PrintedLines(""), (Lines{""}));
}

TEST(NewFramePicture, DrawsBackgroundLabelsVisiblePicturesAndTheWater) {
    PictureBox box;
    box.SetFrameSize(PixelsToTwips(100), PixelsToTwips(80));
    box.SetPicture(Filled(100, 80, Qt::darkGreen));
    ControlArray texts(box, ElementKind::Label, "Text");
    ControlArray areas(box, ElementKind::Image, "Area");
    ControlArray gifBoxes(box, ElementKind::Box, "AniGifBox");
    texts.Template().SetCaption("XXXXXXXX");
    texts.Template().ForeColor = 0xFFFFFF;
    SceneElement& label = texts.Load(1);
    label.FontSize = 20;
    label.ForeColor = 0x0000FF; // red
    label.SetCaption("W\r\nW");
    label.Move(PixelsToTwips(60), 0);
    SceneElement& shown = areas.Load(1);
    shown.Stretch = true;
    shown.SetPicture(Filled(4, 4, Qt::yellow));
    shown.Move(PixelsToTwips(10), PixelsToTwips(10), PixelsToTwips(20), PixelsToTwips(20));
    shown.SetVisible(true);
    SceneElement& hidden = areas.Load(2);
    hidden.SetPicture(Filled(10, 10, Qt::magenta));
    hidden.Move(PixelsToTwips(40), PixelsToTwips(40));
    SceneElement& animated = areas.Load(3);
    animated.WhatsThisHelpID = 1;
    SceneElement& gifBox = gifBoxes.Load(1);
    gifBox.Move(PixelsToTwips(0), PixelsToTwips(60));
    gifBox.SetVisible(true);
    SceneElement water(box, ElementKind::Surface, "PicRipplingWater", 0);
    water.Move(PixelsToTwips(80), PixelsToTwips(60), PixelsToTwips(20), PixelsToTwips(20));
    const QImage waterImage = Filled(20, 20, Qt::cyan);

    const QImage frame =
        CaptureCurrentFrame({box, texts, areas, gifBoxes,
                             [](int) { return Filled(8, 8, Qt::blue); }, &water, &waterImage});
    ASSERT_EQ(frame.size(), QSize(100, 80));
    EXPECT_EQ(frame.pixel(20, 20), qRgb(255, 255, 0));
    EXPECT_EQ(frame.pixel(45, 45), QColor(Qt::darkGreen).rgb()); // not visible: not drawn
    EXPECT_EQ(frame.pixel(3, 63), qRgb(0, 0, 255));              // still of the animation
    EXPECT_EQ(frame.pixel(90, 70), qRgb(0, 255, 255));
    // Two lines of red text at the label's left edge; the template's white text is not drawn.
    int redTop = 0, redBottom = 0, white = 0;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 100; ++x) {
            const QColor c = frame.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 60) (y < 25 ? redTop : redBottom) += x >= 60;
            if (c == Qt::white) ++white;
        }
    }
    EXPECT_GT(redTop, 0);
    EXPECT_GT(redBottom, 0);
    EXPECT_EQ(white, 0);
}

} // namespace
} // namespace quillora
