// The level display fed with generated sound; time is driven through the
// widget's own animation step, never by sleeping.
#include "platform/audio/visual/TAudioVisualizationEx2.h"

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace varnelo {
namespace {

// `ms` of the sum of sines at `hz`, from sample position `start` on (so that
// consecutive blocks join without a click).
SampleArray Tone(const std::vector<double>& hz, int rate, int channels, int ms, double amplitude,
                 int start = 0) {
    SampleArray a;
    a.channels = channels;
    a.sampleRate = rate;
    const int frames = rate * ms / 1000;
    a.samples.resize(static_cast<size_t>(frames) * channels);
    for (int f = 0; f < frames; ++f) {
        double v = 0;
        for (double h : hz)
            v += amplitude * std::sin(2 * M_PI * h * (f + start) / rate);
        for (int c = 0; c < channels; ++c)
            a.samples[static_cast<size_t>(f) * channels + c] = float(v);
    }
    return a;
}

// Steps the animation as the timer would.
void Animate(TAudioVisualizationEx2& w, int ms) {
    for (int t = 0; t < ms; t += TAudioVisualizationEx2::kFrameMs)
        w.AdvanceAnimation(TAudioVisualizationEx2::kFrameMs);
}

// Plays 300 ms of the tones and lets the start of the sound (a click, as
// in any recording) fade from the display; then shows 200 ms more.
void SteadyTones(TAudioVisualizationEx2& w, const std::vector<double>& hz, double amplitude) {
    w.ShowArray(Tone(hz, 44100, 2, 300, amplitude));
    Animate(w, 600);
    w.ShowArray(Tone(hz, 44100, 2, 200, amplitude, 44100 * 300 / 1000));
}

int LoudestBar(const TAudioVisualizationEx2& w) {
    int best = 0;
    for (int i = 1; i < w.LineCount(); ++i)
        if (w.BarLevel(i) > w.BarLevel(best))
            best = i;
    return best;
}

class Display : public ::testing::Test {
protected:
    void SetUp() override {
        w.show();
        ASSERT_TRUE(w.isVisible());
    }
    TAudioVisualizationEx2 w;
};

TEST_F(Display, StartsWithTheLookOfTheMainWindow) {
    EXPECT_EQ(w.size(), QSize(115, 81));
    EXPECT_EQ(w.LineCount(), 17);
    EXPECT_EQ(w.BackColor(), QColor(0, 0, 0));
    EXPECT_EQ(w.LineLowColor(), QColor(0, 255, 0));
    EXPECT_EQ(w.LineMidColor(), QColor(255, 255, 0));
    EXPECT_EQ(w.LineHighColor(), QColor(255, 0, 0));
    EXPECT_EQ(w.BackLineLowColor(), QColor(0, 85, 0));
    EXPECT_EQ(w.TickDelayTime(), 200);
    EXPECT_EQ(w.TickReleaseTime(), 20);
    EXPECT_EQ(w.SpotHeight(), 2);
    EXPECT_EQ(w.SpotInterval(), 1);
    EXPECT_EQ(w.SpotCount(), 27);
    EXPECT_TRUE(w.ShowTicks());
}

struct ToneCase {
    const char* name;
    int rate;
    int channels;
    int bar;
};
void PrintTo(const ToneCase& c, std::ostream* os) {
    *os << c.name;
}

class ToneInBand : public Display, public ::testing::WithParamInterface<ToneCase> {};

TEST_P(ToneInBand, LightsItsBarMoreThanTheOthers) {
    const ToneCase& c = GetParam();
    const double hz = w.BarFrequency(c.bar, c.rate);
    w.ShowArray(Tone({hz}, c.rate, c.channels, 200, 0.5));
    EXPECT_TRUE(w.IsAnimating());
    Animate(w, 100);
    EXPECT_EQ(LoudestBar(w), c.bar) << hz << " Hz";
    EXPECT_GT(w.BarLevel(c.bar), 0.8); // -6 dB of a 60 dB scale
    for (int i = 0; i < w.LineCount(); ++i) {
        if (std::abs(i - c.bar) > 1) {
            EXPECT_LT(w.BarLevel(i), w.BarLevel(c.bar) - 0.3) << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RatesAndChannels, ToneInBand,
                         ::testing::Values(ToneCase{"mono44100low", 44100, 1, 2},
                                           ToneCase{"stereo44100mid", 44100, 2, 8},
                                           ToneCase{"stereo44100high", 44100, 2, 15},
                                           ToneCase{"mono8000mid", 8000, 1, 9},
                                           ToneCase{"stereo22050", 22050, 2, 12},
                                           ToneCase{"stereo48000low", 48000, 2, 4},
                                           ToneCase{"six96000", 96000, 6, 10},
                                           ToneCase{"mono11025top", 11025, 1, 16}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Display, TwoTonesLightTwoBars) {
    const double low = w.BarFrequency(3, 44100), high = w.BarFrequency(12, 44100);
    w.ShowArray(Tone({low, high}, 44100, 2, 200, 0.3));
    Animate(w, 66);
    for (int i = 0; i < w.LineCount(); ++i) {
        if (std::abs(i - 3) > 1 && std::abs(i - 12) > 1) {
            EXPECT_LT(w.BarLevel(i), w.BarLevel(3) - 0.3) << i;
            EXPECT_LT(w.BarLevel(i), w.BarLevel(12) - 0.3) << i;
        }
    }
}

TEST_F(Display, SilenceLeavesEveryBarAtRest) {
    w.ShowArray(Tone({}, 44100, 2, 200, 0));
    Animate(w, 300);
    for (int i = 0; i < w.LineCount(); ++i) {
        EXPECT_EQ(w.BarLevel(i), 0.0) << i;
        EXPECT_EQ(w.TickLevel(i), 0.0) << i;
    }
    EXPECT_FALSE(w.IsAnimating());
}

TEST_F(Display, BarsFallBackAfterTheSoundStops) {
    const int bar = 6;
    w.ShowArray(Tone({w.BarFrequency(bar, 44100)}, 44100, 2, 200, 0.8));
    // Step until the block has played out and the bar begins to fall.
    int waited = 0;
    for (; waited < 1000 && w.BarLevel(bar) >= w.TickLevel(bar); ++waited)
        w.AdvanceAnimation(1);
    ASSERT_LT(waited, 1000);
    const double peak = w.TickLevel(bar);
    ASSERT_GT(peak, 0.8);
    // The tick holds its place for 200 ms while the bar drops...
    w.AdvanceAnimation(150);
    EXPECT_LT(w.BarLevel(bar), peak - 0.3);
    EXPECT_EQ(w.TickLevel(bar), peak);
    // ...then falls one segment every 20 ms.
    w.AdvanceAnimation(100);
    EXPECT_NEAR(w.TickLevel(bar), peak - 3.0 / w.SpotCount(), 0.6 / w.SpotCount());
    Animate(w, 1500);
    for (int i = 0; i < w.LineCount(); ++i) {
        EXPECT_EQ(w.BarLevel(i), 0.0) << i;
        EXPECT_EQ(w.TickLevel(i), 0.0) << i;
    }
    EXPECT_FALSE(w.IsAnimating()); // nothing moves, no timer
}

TEST_F(Display, TheTimerBringsTheDisplayToRest) {
    QSignalSpy stopped(&w, &TAudioVisualizationEx2::AnimationStopped);
    w.ShowArray(Tone({w.BarFrequency(4, 44100)}, 44100, 2, 200, 0.5));
    ASSERT_TRUE(w.IsAnimating());
    ASSERT_TRUE(stopped.wait(5000));
    EXPECT_FALSE(w.IsAnimating());
    for (int i = 0; i < w.LineCount(); ++i) {
        EXPECT_EQ(w.BarLevel(i), 0.0) << i;
        EXPECT_EQ(w.TickLevel(i), 0.0) << i;
    }
}

TEST_F(Display, ABlockPlaysOutOverItsOwnDuration) {
    // A tone, then silence, in one block: the tone shows first and the
    // silence only after the tone's time has passed.
    SampleArray block = Tone({w.BarFrequency(9, 48000)}, 48000, 1, 300, 0.5);
    std::fill(block.samples.begin() + 48000 * 150 / 1000, block.samples.end(), 0.0f);
    w.ShowArray(block);
    Animate(w, 99);
    EXPECT_GT(w.BarLevel(9), 0.7);
    Animate(w, 600);
    EXPECT_EQ(w.BarLevel(9), 0.0);
}

TEST_F(Display, HiddenItNeitherAnimatesNorKeepsSound) {
    w.ShowArray(Tone({1000}, 44100, 2, 200, 0.5));
    EXPECT_TRUE(w.IsAnimating());
    w.SetVisible(false);
    EXPECT_FALSE(w.IsVisible());
    EXPECT_FALSE(w.IsAnimating());
    w.ShowArray(Tone({1000}, 44100, 2, 200, 0.5));
    EXPECT_FALSE(w.IsAnimating());
    w.SetVisible(true);
    EXPECT_TRUE(w.IsVisible());
    for (int i = 0; i < w.LineCount(); ++i)
        EXPECT_EQ(w.BarLevel(i), 0.0);
}

TEST_F(Display, OddArraysAreIgnored) {
    SampleArray empty;
    w.ShowArray(empty);
    SampleArray noChannels = Tone({1000}, 44100, 1, 50, 0.5);
    noChannels.channels = 0;
    w.ShowArray(noChannels);
    SampleArray noRate = Tone({1000}, 44100, 1, 50, 0.5);
    noRate.sampleRate = 0;
    w.ShowArray(noRate);
    EXPECT_FALSE(w.IsAnimating());
}

TEST_F(Display, LineCountSetsTheBars) {
    w.SetLineCount(8);
    EXPECT_EQ(w.LineCount(), 8);
    w.ShowArray(Tone({w.BarFrequency(5, 44100)}, 44100, 2, 200, 0.5));
    Animate(w, 66);
    EXPECT_EQ(LoudestBar(w), 5);
}

QColor PixelAt(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

// x in the middle of bar `bar` of 17 on the 115-pixel display.
int BarMiddle(int bar) {
    return static_cast<int>((bar + 0.5) * 116 / 17);
}

TEST_F(Display, DrawsLitSegmentsInTheirZones) {
    const int bar = 8;
    SteadyTones(w, {w.BarFrequency(bar, 44100)}, 1.0);
    Animate(w, 66);
    const QImage image = w.grab().toImage();
    const int x = BarMiddle(bar);
    EXPECT_EQ(PixelAt(image, x, 80), QColor(0, 255, 0)); // bottom segment, lit low
    EXPECT_EQ(PixelAt(image, x, 79), QColor(0, 255, 0));
    EXPECT_EQ(PixelAt(image, x, 78), QColor(0, 0, 0));     // the gap between segments
    EXPECT_EQ(PixelAt(image, x, 25), QColor(255, 255, 0)); // a full-scale tone reaches red
    EXPECT_EQ(PixelAt(image, x, 1), QColor(255, 0, 0));
    // A bar far away is at rest: its segments show dimmed.
    const int quiet = BarMiddle(0);
    EXPECT_EQ(PixelAt(image, quiet, 80), QColor(0, 85, 0));
    EXPECT_EQ(PixelAt(image, quiet, 1), QColor(85, 0, 0));
}

TEST_F(Display, ScreenshotOfATone) {
    // Something like music: a few tones falling off towards the top.
    SteadyTones(w, {90, 180, 440, 1200, 3000, 7000}, 0.12);
    Animate(w, 99);
    const QImage image = w.grab().toImage();
    const QString path = QDir::current().filePath(QStringLiteral("visualization_tone.png"));
    ASSERT_TRUE(image.save(path));
    EXPECT_EQ(PixelAt(image, BarMiddle(LoudestBar(w)), 80), QColor(0, 255, 0));
}

} // namespace
} // namespace varnelo
