// Transitions and rippling water in the game: fades on every frame change, presses during an
// animation, the two Options entries.
#include "GameFixture.h"
#include "core/Clock.h"
#include "effects/DisplayPacer.h"
#include "game/VideoPlacement.h"

#include <QTest>
#include <QTimer>

#include <filesystem>

namespace quillora {
namespace {

using test::ActionSpec;
using test::FrameSpec;

class EffectsInGame : public test::GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        SetClock(&clock);
        project.WritePicture("Frames/hall.bmp", 640, 480, QColor(30, 90, 160));
        FrameSpec hall;
        hall.BackgroundKind = 1;
        hall.Background = "hall.bmp";
        project.WriteFrame("Hall", hall);
        project.WriteWaterEffect("Hall", {.Left = 0, .Top = 300, .Width = 640, .Height = 100});
        QImage mask(640, 100, QImage::Format_RGB32);
        mask.fill(Qt::black);
        project.WriteWaterMask("Hall", mask);
        project.WriteHotspots("Hall", {{.Number = 1, .Width = 9600, .Height = 7200}});
        // Cellar fades channel 1 out over two seconds.
        FrameSpec cellar;
        cellar.ChannelFadeDuration = 2000;
        cellar.ChannelRows = {3, true, false, 0, ""};
        project.WriteFrame("Cellar", cellar);
        project.WriteHotspots("Cellar", {{.Number = 1, .Width = 9600, .Height = 7200}});
        project.WriteActions("Cellar", {{.GoToFrame = 1, .Frame = "Attic"}});
        project.WriteFrame("Attic", {});
    }
    void TearDown() override {
        GameFixture::TearDown();
        SetClock(nullptr);
    }
    Game& Start() {
        Game& g = StartGame();
        g.Transitions().SetPacer(std::make_unique<EventsOnlyPacer>());
        g.FrameArea().resize(640, 480);
        return g;
    }

    ManualClock clock{1000, 0.05};
};

TEST_F(EffectsInGame, FadesCompleteOnEveryFrameChangeWithTransitionsOnOrOff) {
    struct Case {
        bool withTransition;
        int number;
        double duration;
        bool transitionsOff;
    };
    Game& g = Start();
    for (const Case& c : {Case{false, 0, 0, false}, Case{true, 1, 1, false},
                          Case{true, 3, 1, false}, Case{true, 3, 1, true}, Case{true, 1, 1, true},
                          Case{true, 6, 1, false}, Case{true, 2, 0, false}}) {
        g.OpenFrame("Hall", false, 0, 0);
        session.Audio.AudioFadeStep(1);
        if (c.transitionsOff) g.EnableOrDisableTransitions();
        if (c.withTransition) g.TransitionStep1(c.number);
        // A cross-fade covers the build with the still old frame; nothing when switched off.
        EXPECT_EQ(g.Transitions().SurfaceShown(),
                  c.withTransition && c.number == 1 && !c.transitionsOff);
        g.OpenFrame("Cellar", c.withTransition, c.number, c.duration);
        // A transition drives the fade to its end (at once when it has nothing to animate);
        // otherwise the fade timer does.
        const bool driven = c.withTransition && !c.transitionsOff;
        EXPECT_EQ(session.Audio.Channels[1].Fade, !driven) << c.number;
        EXPECT_EQ(session.Audio.TimerAudioFade.Enabled(), !driven) << c.number;
        for (int tick = 0; tick < 5 && session.Audio.TimerAudioFade.Enabled(); ++tick) {
            clock.Advance(1);
            session.Audio.FadeTick();
        }
        EXPECT_FALSE(session.Audio.Channels[1].Fade) << c.number << " " << c.transitionsOff;
        EXPECT_EQ(session.Audio.Channels[1].Command, 0);
        EXPECT_FALSE(g.Transitions().SurfaceShown());
        if (c.transitionsOff) g.EnableOrDisableTransitions();
    }
}

TEST_F(EffectsInGame, APressDuringTheAnimationEndsItAndPerformsNoHotspotAction) {
    ActionSpec slide{.GoToFrame = 1, .Frame = "Cellar"};
    slide.UseTransition = 1;
    slide.TransitionMs = 100000;
    slide.TransitionNumber = 2;
    project.WriteActions("Hall", {slide});
    clock = ManualClock(1000, 0.001);
    Game& g = Start();
    g.OpenFrame("Hall", false, 0, 0);
    QTimer presser;
    int presses = 0;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (!g.Transitions().TransitionRunning() || presses++ > 0) return;
        QTest::mouseClick(&g.FrameArea(), Qt::LeftButton, {}, QPoint(320, 240));
    });
    presser.start(0);
    const double before = clock.SecondsSinceMidnight();
    g.MakeActionAndConsequences(1, 0);
    EXPECT_EQ(presses, 1);
    EXPECT_LT(ElapsedSeconds(before, clock.SecondsSinceMidnight()), 50);
    EXPECT_EQ(session.CurrentFrame.Name, "Cellar"); // the press reached no hotspot
    EXPECT_FALSE(g.Transitions().TransitionRunning());
    EXPECT_FALSE(g.Transitions().SurfaceShown());
    EXPECT_FALSE(session.Flags.TransitionAbortRequested);
}

TEST_F(EffectsInGame, WaterRunsWithTheFrameStopsWithEffectsOffAndIsReadAgainWhenOn) {
    Game& g = Start();
    g.OpenFrame("Hall", false, 0, 0);
    EXPECT_TRUE(g.Water().WaveEffectActive());
    EXPECT_TRUE(g.Water().TimerEnabled());
    g.EnableOrDisableEffects();
    EXPECT_FALSE(g.Water().WaveEffectActive());
    EXPECT_FALSE(g.Water().TimerEnabled());
    EXPECT_FALSE(g.Water().Element().Visible());
    project.WriteWaterEffect("Hall", {.Top = 200, .Width = 640, .Height = 100, .Strength = 30});
    g.EnableOrDisableEffects();
    EXPECT_TRUE(g.Water().TimerEnabled());
    EXPECT_EQ(g.Water().Settings().WaveStrength, 30);
    // A cut-scene over the frame rests the water until it is gone.
    std::filesystem::copy_file(std::string(QUILLORA_MEDIA_FIXTURES) + "/clip-cinepak.avi",
                               project.Root() + "Frames/clip.avi");
    g.Videos().PlayMovieWithStop("clip.avi", {true, 0, 0, 100, 50});
    ASSERT_TRUE(g.Videos().IsOneTimeVideoPlaying());
    EXPECT_FALSE(g.Water().TimerEnabled());
    g.Videos().StopOneTimeVideoPlayer();
    EXPECT_TRUE(g.Water().TimerEnabled());
    // The water is part of the picture a transition draws of the new frame.
    g.TransitionStep1(1);
    g.OpenFrame("Cellar", true, 1, 0.2);
    EXPECT_FALSE(g.Water().WaveEffectActive());
    EXPECT_FALSE(g.Water().Element().Visible());
    EXPECT_TRUE(prompts.History().empty());
}

} // namespace
} // namespace quillora
