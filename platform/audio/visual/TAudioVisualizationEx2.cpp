#include "platform/audio/visual/TAudioVisualizationEx2.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace varnelo {

TAudioVisualizationEx2::TAudioVisualizationEx2(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer_.setInterval(kFrameMs);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TAudioVisualizationEx2::OnTimer);
    resize(115, 81);
    SetLineCount(17);
}

TAudioVisualizationEx2::~TAudioVisualizationEx2() = default;

void TAudioVisualizationEx2::SetLineCount(int bars) {
    bars = std::clamp(bars, 1, 256);
    analyzer_.SetBandCount(bars);
    meter_.SetBarCount(bars);
    meter_.SetTickTiming(tickDelayMs_, tickReleaseMs_, SpotCount());
    update();
}

void TAudioVisualizationEx2::ShowArray(const SampleArray& array) {
    if (!isVisible())
        return; // nobody sees it; the sound is not kept
    const int64_t frames = array.Frames();
    if (frames <= 0 || array.sampleRate <= 0)
        return;
    // Enough hops to cover the frames the meter may still show.
    constexpr int kMaxHops = BarMeter::kQueueFrames;
    analyzer_.Feed(
        array.samples.data(), frames, array.channels, array.sampleRate, kMaxHops,
        [this](const float* levels, int count, double ms) { meter_.PushFrame(levels, count, ms); });
    StartIfMoving();
}

void TAudioVisualizationEx2::StartIfMoving() {
    if (isVisible() && !meter_.AtRest() && !timer_.isActive()) {
        clock_.start();
        timer_.start();
    }
}

void TAudioVisualizationEx2::OnTimer() {
    // The real time since the last step, so a late timer does not slow the
    // movement down; capped so a stalled GUI does not skip everything.
    const int ms = static_cast<int>(std::min<qint64>(clock_.restart(), 200));
    AdvanceAnimation(ms);
}

void TAudioVisualizationEx2::AdvanceAnimation(int ms) {
    const bool moving = meter_.Advance(ms);
    update();
    if (!moving && timer_.isActive()) {
        timer_.stop();
        emit AnimationStopped();
    }
}

void TAudioVisualizationEx2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    StartIfMoving();
}

void TAudioVisualizationEx2::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Shown again later, it starts from rest rather than from stale bars.
    timer_.stop();
    meter_.Clear();
    analyzer_.Reset();
}

int TAudioVisualizationEx2::SpotCount() const {
    const int pitch = std::max(spotHeight_ + spotInterval_, 1);
    return std::max((height() + spotInterval_) / pitch, 1);
}

double TAudioVisualizationEx2::BarFrequency(int bar, int rate) const {
    const int bars = LineCount();
    return std::sqrt(SpectrumAnalyzer::BandEdge(bar, bars, rate) *
                     SpectrumAnalyzer::BandEdge(bar + 1, bars, rate));
}

int TAudioVisualizationEx2::ZoneOf(int spot, int spots) const {
    // Position of the segment's middle from the top, on a 0..255 scale.
    const double fromTop = 255.0 * (spots - spot - 0.5) / spots;
    if (fromTop < highPoint_)
        return 2;
    if (fromTop < midPoint_)
        return 1;
    return 0;
}

void TAudioVisualizationEx2::Restyle() {
    const QSize size = this->size();
    if (size.isEmpty())
        return;
    litLayer_ = QImage(size, QImage::Format_RGB32);
    dimLayer_ = QImage(size, QImage::Format_RGB32);
    litLayer_.fill(backColor_);
    dimLayer_.fill(backColor_);
    const int spots = SpotCount();
    const int pitch = spotHeight_ + spotInterval_;
    QPainter lit(&litLayer_);
    QPainter dim(&dimLayer_);
    for (int s = 0; s < spots; ++s) {
        const int y = size.height() - s * pitch - spotHeight_;
        const int zone = ZoneOf(s, spots);
        lit.fillRect(0, y, size.width(), spotHeight_, lit_[zone]);
        dim.fillRect(0, y, size.width(), spotHeight_, dim_[zone]);
    }
    meter_.SetTickTiming(tickDelayMs_, tickReleaseMs_, spots);
}

void TAudioVisualizationEx2::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Restyle();
}

void TAudioVisualizationEx2::paintEvent(QPaintEvent*) {
    if (litLayer_.size() != size())
        Restyle();
    QPainter painter(this);
    painter.fillRect(rect(), backColor_);
    const int bars = LineCount();
    const int spots = SpotCount();
    const int pitch = spotHeight_ + spotInterval_;
    const int h = height();
    const double slot = static_cast<double>(width() + lineInterval_) / bars;
    for (int b = 0; b < bars; ++b) {
        const int x = static_cast<int>(std::lround(b * slot));
        const int w = static_cast<int>(std::lround((b + 1) * slot)) - x - lineInterval_;
        if (w <= 0)
            continue;
        const int litSpots =
            std::clamp(static_cast<int>(std::lround(meter_.Bar(b) * spots)), 0, spots);
        const int litTop = h - litSpots * pitch; // the lit part starts here
        painter.drawImage(QRect(x, 0, w, litTop), dimLayer_, QRect(x, 0, w, litTop));
        painter.drawImage(QRect(x, litTop, w, h - litTop), litLayer_,
                          QRect(x, litTop, w, h - litTop));
        if (showTicks_) {
            const int tickSpot = static_cast<int>(std::ceil(meter_.Tick(b) * spots)) - 1;
            if (tickSpot >= litSpots && tickSpot < spots) {
                const int y = h - tickSpot * pitch - spotHeight_;
                painter.drawImage(QRect(x, y, w, spotHeight_), litLayer_,
                                  QRect(x, y, w, spotHeight_));
            }
        }
    }
}

namespace {
template <typename T> bool Change(T& field, const T& value) {
    if (field == value)
        return false;
    field = value;
    return true;
}
} // namespace

#define VARNELO_RESTYLE_SETTER(Name, Type, field)                                                  \
    void TAudioVisualizationEx2::Name(Type value) {                                                \
        if (Change(field, value)) {                                                                \
            Restyle();                                                                             \
            update();                                                                              \
        }                                                                                          \
    }

VARNELO_RESTYLE_SETTER(SetBackColor, const QColor&, backColor_)
VARNELO_RESTYLE_SETTER(SetLineLowColor, const QColor&, lit_[0])
VARNELO_RESTYLE_SETTER(SetLineMidColor, const QColor&, lit_[1])
VARNELO_RESTYLE_SETTER(SetLineHighColor, const QColor&, lit_[2])
VARNELO_RESTYLE_SETTER(SetBackLineLowColor, const QColor&, dim_[0])
VARNELO_RESTYLE_SETTER(SetBackLineMidColor, const QColor&, dim_[1])
VARNELO_RESTYLE_SETTER(SetBackLineHighColor, const QColor&, dim_[2])
VARNELO_RESTYLE_SETTER(SetMidPoint, int, midPoint_)
VARNELO_RESTYLE_SETTER(SetHighPoint, int, highPoint_)
VARNELO_RESTYLE_SETTER(SetTickDelayTime, int, tickDelayMs_)
VARNELO_RESTYLE_SETTER(SetTickReleaseTime, int, tickReleaseMs_)
VARNELO_RESTYLE_SETTER(SetShowTicks, bool, showTicks_)
VARNELO_RESTYLE_SETTER(SetLineInterval, int, lineInterval_)
#undef VARNELO_RESTYLE_SETTER

void TAudioVisualizationEx2::SetSpotHeight(int pixels) {
    if (Change(spotHeight_, std::max(pixels, 1))) {
        Restyle();
        update();
    }
}

void TAudioVisualizationEx2::SetSpotInterval(int pixels) {
    if (Change(spotInterval_, std::max(pixels, 0))) {
        Restyle();
        update();
    }
}

} // namespace varnelo
