#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <vector>

namespace varnelo {

// A sound server that exists only in this process: one device whose lines
// deliver known signals, on a clock that runs in real time or is advanced by
// hand (tests run it faster than real time). Everything happens on the GUI
// thread; a stalled GUI thread delays the signals but loses no sample, since
// the next tick catches up with all the time that passed.
class SimulatedSoundServer : public QObject {
    Q_OBJECT
public:
    enum class Clock { RealTime, Manual };

    struct Line {
        QString name;
        double frequency; // 0: silence
        int volume;       // 0..65536
    };

    explicit SimulatedSoundServer(Clock clock = Clock::RealTime, QObject* parent = nullptr);

    static QString DeviceName() { return QStringLiteral("Simulated Sound Card"); }
    std::vector<Line>& lines() { return lines_; }
    int activeLine() const { return activeLine_; } // 1-based
    void setActiveLine(int line) { activeLine_ = line; }

    // A manual clock is driven by a test, which may inspect what was played.
    bool manualClock() const { return clock_ == Clock::Manual; }
    // Microseconds since the server started.
    int64_t now() const { return now_; }
    // Manual clock: moves time forward and lets every client catch up.
    void advance(int64_t microseconds);

    // The active line's signal for sample positions [first, first + frames).
    void render(int64_t first, int64_t frames, int rate, int channels, float* out) const;

signals:
    // Time moved on to `now`; clients produce or consume what is due.
    void ticked(qint64 now);

private:
    void tick();
    // One period of a whole-hertz sine at the rate, cached for render().
    const std::vector<double>& period(double frequency, int rate) const;

    Clock clock_;
    std::vector<Line> lines_;
    int activeLine_ = 1;
    int64_t now_ = 0;
    QElapsedTimer wall_;
    QTimer timer_;
    mutable std::vector<double> period_;
    mutable double periodFrequency_ = 0;
    mutable int periodRate_ = 0;
};

} // namespace varnelo
