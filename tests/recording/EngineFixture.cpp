#include "EngineFixture.h"

#include "platform/audio/api/IAudioFile2.h"
#include "platform/audio/api/IAudioPlayer2.h"
#include "platform/audio/api/IAudioRecord2.h"
#include "platform/core/AppError.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>

namespace varnelo::testing {

namespace {
BoundObject Bind(FakeSkinObject& object, bool slider) {
    BoundObject bound;
    bound.object = &object;
    bound.element = object.QueryElement();
    if (slider)
        bound.slider = object.QuerySlider();
    else
        bound.label = object.QueryLabel();
    return bound;
}
} // namespace

FakeDisplay::FakeDisplay() {
    objects.s_time = Bind(s_time, false);
    objects.play_bar = Bind(play_bar, true);
    objects.s_sizeson = Bind(s_sizeson, false);
    objects.s_filename = Bind(s_filename, false);
    objects.s_mono = Bind(s_mono, false);
}

bool FakeDisplay::AllTextsEmpty() const {
    return s_time.text.isEmpty() && s_sizeson.text.isEmpty() && s_filename.text.isEmpty() &&
           s_mono.text.isEmpty();
}

void FakeHost::AddFilesToJoinList() {
    EXPECT_TRUE(state_.AddRecordingToList) << "AddFiles outside a recording's stop";
    if (state_.AddRecordingToList)
        listed << state_.CurrentFileName;
}

void FakeHost::WriteTagsToFile(const QString& path) {
    tagged << path;
    if (onWriteTags)
        onWriteTags(path);
}

InfoBoxCapture::InfoBoxCapture() {
    previous_ = SetInfoBoxHandler([this](QWidget*, const QString& text) { texts << text; });
}

InfoBoxCapture::~InfoBoxCapture() {
    SetInfoBoxHandler(previous_);
}

void RunHandler(AudioEngine& engine, EngineState& state, QStringList& errors,
                const std::function<void()>& action, HandlerBox box) {
    try {
        action();
    } catch (const AppError& error) {
        errors << error.message();
        if (box == HandlerBox::StaysOpen)
            return;
        if (state.RecordingActive)
            engine.StopRecording();
        if (state.PlaybackActive)
            engine.StopPlayback();
    }
}

void RouteComponentEventsThroughErrorHandler(AudioEngine& engine, EngineState& state,
                                             IAudioRecord2& recorder, IAudioPlayer2& player,
                                             QStringList& errors, HandlerBox box) {
    QObject::disconnect(&recorder, nullptr, &engine, nullptr);
    QObject::disconnect(&player, nullptr, &engine, nullptr);
    auto* e = &engine;
    auto* s = &state;
    auto* errs = &errors;
    const auto wrap = [e, s, errs, box](auto call) {
        return [e, s, errs, box, call](auto... args) {
            RunHandler(
                *e, *s, *errs, [&] { call(args...); }, box);
        };
    };
    QObject::connect(&recorder, &IAudioRecord2::OnEndArrayRecord, e,
                     wrap([e](int n) { e->AudioRecord1EndArrayRecord(n); }));
    QObject::connect(&recorder, &IAudioRecord2::OnTimer, e,
                     wrap([e](qint64 c, int l, int r) { e->AudioRecord1Timer(c, l, r); }));
    QObject::connect(&recorder, &IAudioRecord2::OnError, e,
                     wrap([e](const QString& m) { e->AudioRecord1Error(m); }));
    QObject::connect(&player, &IAudioPlayer2::OnRequestOnLoadArray, e,
                     wrap([e] { e->AudioPlayer21RequestOnLoadArray(); }));
    QObject::connect(&player, &IAudioPlayer2::OnEndArrayPlay, e,
                     wrap([e] { e->AudioPlayer21EndArrayPlay(); }));
    QObject::connect(&player, &IAudioPlayer2::OnTimer, e,
                     wrap([e](qint64 c, int l, int r) { e->AudioPlayer21Timer(c, l, r); }));
    QObject::connect(&player, &IAudioPlayer2::OnEndPlay, e,
                     wrap([e] { e->AudioPlayer21EndPlay(); }));
    QObject::connect(&player, &IAudioPlayer2::OnError, e,
                     wrap([e](const QString& m) { e->AudioPlayer21Error(m); }));
}

} // namespace varnelo::testing

namespace varnelo::testing {

void MakeToneOgg(IAudioFile2& writer, const QString& path, double seconds, double frequency,
                 int sampleRate, int channels) {
    writer.SetOggParams(sampleRate, channels, 128, 128, 128, 400);
    writer.SetInputFormat(sampleRate, channels);
    writer.CreateNewFile(path, 0);
    const int64_t frames = static_cast<int64_t>(seconds * sampleRate);
    const int64_t block = 4096;
    for (int64_t start = 0; start < frames; start += block) {
        SampleArray array;
        array.channels = channels;
        array.sampleRate = sampleRate;
        const int64_t count = std::min(block, frames - start);
        array.samples.resize(static_cast<size_t>(count * channels));
        for (int64_t i = 0; i < count; ++i) {
            const double t = static_cast<double>(start + i) / sampleRate;
            const float value =
                static_cast<float>(0.5 * std::sin(2 * std::numbers::pi * frequency * t));
            for (int c = 0; c < channels; ++c)
                array.samples[static_cast<size_t>(i * channels + c)] = value;
        }
        writer.WriteArray(array);
    }
    writer.CloseFile();
}

DecodedTone DecodeTone(IAudioFile2& reader, const QString& path) {
    DecodedTone tone;
    reader.OpenFile(path, 0, 1);
    tone.sampleRate = reader.SampleRate();
    const int channels = reader.Channels();
    int64_t crossings = 0;
    int64_t firstCrossing = -1, lastCrossing = -1;
    int sign = 0;
    std::vector<int64_t> spacing;
    for (;;) {
        const SampleArray array = reader.ReadArray(8192);
        if (array.empty())
            break;
        const int64_t frames = static_cast<int64_t>(array.samples.size()) / channels;
        for (int64_t i = 0; i < frames; ++i) {
            const float value = array.samples[static_cast<size_t>(i * channels)];
            tone.peak = std::max(tone.peak, static_cast<double>(std::fabs(value)));
            // Rising crossings only, with hysteresis against noise around zero.
            if (value > 0.01f) {
                if (sign < 0) {
                    ++crossings;
                    if (firstCrossing < 0)
                        firstCrossing = tone.frames + i;
                    else
                        spacing.push_back(tone.frames + i - lastCrossing);
                    lastCrossing = tone.frames + i;
                }
                sign = 1;
            } else if (value < -0.01f) {
                sign = -1;
            }
        }
        tone.frames += frames;
    }
    reader.CloseFile();
    // The middle half of the crossing spacings: a gap in the sound (an output
    // underrun on a loaded machine) does not bend the figure.
    if (spacing.size() >= 4) {
        std::sort(spacing.begin(), spacing.end());
        const size_t from = spacing.size() / 4, to = spacing.size() * 3 / 4;
        double sum = 0;
        for (size_t i = from; i < to; ++i)
            sum += static_cast<double>(spacing[i]);
        tone.frequency = tone.sampleRate / (sum / static_cast<double>(to - from));
    }
    return tone;
}

} // namespace varnelo::testing
