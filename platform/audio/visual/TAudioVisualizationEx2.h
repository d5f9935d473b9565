#pragma once

#include "platform/audio/api/IAudioVisualizationEx2.h"
#include "platform/audio/visual/BarMeter.h"
#include "platform/audio/visual/SpectrumAnalyzer.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

namespace varnelo {

// The level display: segmented spectrum bars of the sound handed to
// ShowArray, with peak ticks. Bars light green at the bottom, yellow in the
// middle and red at the top; unlit segments show in dimmed colours. It
// animates on a ~30 fps timer that runs only while the widget is visible and
// something moves. GUI thread only.
//
// MidPoint and HighPoint place the colour zones on a 0..255 scale counted
// down from the top of a bar: segments above HighPoint are high-coloured,
// those above MidPoint mid-coloured, the rest low-coloured.
class TAudioVisualizationEx2 : public QWidget, public IAudioVisualizationEx2 {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 33;

    explicit TAudioVisualizationEx2(QWidget* parent = nullptr);
    ~TAudioVisualizationEx2() override;

    void ShowArray(const SampleArray& array) override;
    void SetLineCount(int bars) override;
    void SetVisible(bool visible) override { setVisible(visible); }
    bool IsVisible() const override { return !isHidden(); }
    int LineCount() const { return meter_.BarCount(); }

    // Appearance.
    QColor BackColor() const { return backColor_; }
    void SetBackColor(const QColor& color);
    QColor LineLowColor() const { return lit_[0]; }
    void SetLineLowColor(const QColor& color);
    QColor LineMidColor() const { return lit_[1]; }
    void SetLineMidColor(const QColor& color);
    QColor LineHighColor() const { return lit_[2]; }
    void SetLineHighColor(const QColor& color);
    QColor BackLineLowColor() const { return dim_[0]; }
    void SetBackLineLowColor(const QColor& color);
    QColor BackLineMidColor() const { return dim_[1]; }
    void SetBackLineMidColor(const QColor& color);
    QColor BackLineHighColor() const { return dim_[2]; }
    void SetBackLineHighColor(const QColor& color);
    int SpotHeight() const { return spotHeight_; }
    void SetSpotHeight(int pixels);
    int SpotInterval() const { return spotInterval_; }
    void SetSpotInterval(int pixels);
    int LineInterval() const { return lineInterval_; }
    void SetLineInterval(int pixels);
    int MidPoint() const { return midPoint_; }
    void SetMidPoint(int point);
    int HighPoint() const { return highPoint_; }
    void SetHighPoint(int point);
    int TickDelayTime() const { return tickDelayMs_; }
    void SetTickDelayTime(int ms);
    int TickReleaseTime() const { return tickReleaseMs_; }
    void SetTickReleaseTime(int ms);
    bool ShowTicks() const { return showTicks_; }
    void SetShowTicks(bool show);

    // The animation step the timer runs: moves the display `ms` on and
    // repaints. Tests call it to drive time.
    void AdvanceAnimation(int ms);
    bool IsAnimating() const { return timer_.isActive(); }

    // Current state, for tests: heights 0..1 and lit segments of a bar.
    double BarLevel(int bar) const { return meter_.Bar(bar); }
    double TickLevel(int bar) const { return meter_.Tick(bar); }
    int SpotCount() const;
    // Centre frequency (Hz) of a bar at a sample rate.
    double BarFrequency(int bar, int rate) const;

signals:
    // Every bar and tick has come to rest and the animation timer stopped.
    void AnimationStopped();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void OnTimer();
    void StartIfMoving();
    void Restyle(); // redraws the lit and dim layers
    int ZoneOf(int spot, int spots) const;

    SpectrumAnalyzer analyzer_;
    BarMeter meter_;
    QTimer timer_;
    QElapsedTimer clock_;
    // The whole display lit and unlit, drawn once per size or colour change;
    // painting copies a part of each per bar.
    QImage litLayer_, dimLayer_;

    QColor backColor_{0, 0, 0};
    QColor lit_[3] = {QColor(0, 255, 0), QColor(255, 255, 0), QColor(255, 0, 0)};
    QColor dim_[3] = {QColor(0, 85, 0), QColor(85, 85, 0), QColor(85, 0, 0)};
    int spotHeight_ = 2;
    int spotInterval_ = 1;
    int lineInterval_ = 1;
    int midPoint_ = 100;
    int highPoint_ = 60;
    int tickDelayMs_ = 200;
    int tickReleaseMs_ = 20;
    bool showTicks_ = true;
};

} // namespace varnelo
