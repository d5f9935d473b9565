#include "platform/audio/pulse/PulseAudioPlayer.h"

#include "platform/core/AppError.h"

#include <QMetaObject>

namespace varnelo {

PulseAudioPlayer::PulseAudioPlayer(QObject* parent)
    : IAudioPlayer2(parent), server_(PulseServer::Connect()) {
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!playing_)
            return;
        // The server's clock runs on through an underrun; what was heard is
        // never more than what was handed over.
        int64_t written = 0;
        {
            std::lock_guard guard(mutex_);
            written = writtenFrames_;
        }
        emit OnTimer(std::clamp<int64_t>(playedFrames() - startFrames_, 0, written), 0, 0);
    });
}

PulseAudioPlayer::~PulseAudioPlayer() {
    closeStream();
}

void PulseAudioPlayer::SetPlayFormat(int sampleRate, int channels) {
    if (sampleRate != rate_ || channels != channels_)
        closeStream();
    rate_ = sampleRate > 0 ? sampleRate : 44100;
    channels_ = std::clamp(channels, 1, 8);
}

void PulseAudioPlayer::openStream() {
    if (!server_ || !server_->alive())
        throw AppError(QStringLiteral("Cannot play: no sound server is running (start PulseAudio "
                                      "or PipeWire)."));
    const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, uint32_t(rate_), uint8_t(channels_)};
    PulseLock lock(server_->loop());
    stream_ = pa_stream_new(server_->context(), "Playback", &spec, nullptr);
    if (!stream_)
        throw AppError(QStringLiteral("Cannot play %1 Hz with %2 channel(s): %3")
                           .arg(rate_)
                           .arg(channels_)
                           .arg(server_->lastError()));
    pa_stream_set_write_callback(stream_, &PulseAudioPlayer::streamWrite, this);
    pa_stream_set_state_callback(stream_, &PulseAudioPlayer::streamState, this);
    pa_buffer_attr attr{};
    attr.maxlength = uint32_t(-1);
    attr.tlength = uint32_t(pa_usec_to_bytes(150000, &spec));
    attr.prebuf = uint32_t(-1);
    attr.minreq = uint32_t(-1);
    const auto flags =
        pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE |
                          PA_STREAM_ADJUST_LATENCY | PA_STREAM_START_CORKED);
    bool ok = pa_stream_connect_playback(stream_, nullptr, &attr, flags, nullptr, nullptr) >= 0;
    while (ok && pa_stream_get_state(stream_) == PA_STREAM_CREATING)
        pa_threaded_mainloop_wait(server_->loop());
    if (!ok || pa_stream_get_state(stream_) != PA_STREAM_READY) {
        const QString reason = server_->lastError();
        pa_stream_set_write_callback(stream_, nullptr, nullptr);
        pa_stream_set_state_callback(stream_, nullptr, nullptr);
        pa_stream_disconnect(stream_);
        pa_stream_unref(stream_);
        stream_ = nullptr;
        throw AppError(
            QStringLiteral("Cannot play: the sound server refused the output (%1).").arg(reason));
    }
}

void PulseAudioPlayer::closeStream() {
    playing_ = false;
    timer_.stop();
    if (!stream_ || !server_)
        return;
    PulseLock lock(server_->loop());
    pa_stream_set_write_callback(stream_, nullptr, nullptr);
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
}

int64_t PulseAudioPlayer::playedFrames() {
    if (!stream_)
        return 0;
    PulseLock lock(server_->loop());
    pa_usec_t usec = 0;
    if (pa_stream_get_time(stream_, &usec) < 0)
        return 0;
    return int64_t(usec) * rate_ / 1000000;
}

void PulseAudioPlayer::StartPlay() {
    if (playing_)
        return;
    if (!stream_)
        openStream();
    startFrames_ = playedFrames();
    {
        std::lock_guard guard(mutex_);
        ended_ = false;
        writtenFrames_ = 0;
    }
    PulseLock lock(server_->loop());
    pa_operation* op = pa_stream_cork(stream_, 0, nullptr, nullptr);
    if (op)
        pa_operation_unref(op);
    const size_t writable = pa_stream_writable_size(stream_);
    if (writable > 0 && writable != size_t(-1))
        writeQueued(writable);
    playing_ = true;
    timer_.start();
}

void PulseAudioPlayer::StopPlay() {
    playing_ = false;
    timer_.stop();
    {
        std::lock_guard guard(mutex_);
        queue_.clear();
        frontOffset_ = 0;
        finishedArrays_ = 0;
        wantData_ = false;
        draining_ = false;
        ++generation_;
    }
    if (!stream_)
        return;
    PulseLock lock(server_->loop());
    // Drop what the server holds too, so a seek is heard at once.
    for (pa_operation* op :
         {pa_stream_cork(stream_, 1, nullptr, nullptr), pa_stream_flush(stream_, nullptr, nullptr)})
        if (op)
            pa_operation_unref(op);
}

void PulseAudioPlayer::PlayArray(const SampleArray& array) {
    {
        std::lock_guard guard(mutex_);
        queue_.push_back(array);
    }
    if (!stream_ || !server_)
        return;
    PulseLock lock(server_->loop());
    const size_t writable = pa_stream_writable_size(stream_);
    if (writable > 0 && writable != size_t(-1))
        writeQueued(writable);
}

void PulseAudioPlayer::streamWrite(pa_stream*, size_t bytes, void* self) {
    static_cast<PulseAudioPlayer*>(self)->writeQueued(bytes);
}

void PulseAudioPlayer::writeQueued(size_t bytes) {
    bool report = false;
    {
        std::lock_guard guard(mutex_);
        const size_t frameBytes = sizeof(float) * size_t(channels_);
        while (bytes >= frameBytes && !queue_.empty() && !draining_) {
            SampleArray& front = queue_.front();
            if (front.samples.empty()) {
                // The end: play out what is queued, then report.
                queue_.pop_front();
                draining_ = true;
                drainGeneration_ = generation_;
                pa_operation* op = pa_stream_drain(stream_, &PulseAudioPlayer::drained, this);
                if (op)
                    pa_operation_unref(op);
                break;
            }
            const size_t left = (front.samples.size() - frontOffset_) * sizeof(float);
            const size_t n = std::min(left, bytes / frameBytes * frameBytes);
            pa_stream_write(stream_, front.samples.data() + frontOffset_, n, nullptr, 0,
                            PA_SEEK_RELATIVE);
            frontOffset_ += n / sizeof(float);
            writtenFrames_ += int64_t(n / frameBytes);
            bytes -= n;
            if (frontOffset_ >= front.samples.size()) {
                queue_.pop_front();
                frontOffset_ = 0;
                ++finishedArrays_;
                report = true;
            }
        }
        if (queue_.empty() && !draining_ && !wantData_) {
            wantData_ = true;
            report = true;
        }
    }
    if (report)
        QMetaObject::invokeMethod(this, &PulseAudioPlayer::deliver, Qt::QueuedConnection);
}

void PulseAudioPlayer::drained(pa_stream*, int, void* self) {
    auto* player = static_cast<PulseAudioPlayer*>(self);
    {
        std::lock_guard guard(player->mutex_);
        // A drain that a StopPlay overtook reports nothing.
        if (!player->draining_ || player->drainGeneration_ != player->generation_)
            return;
        player->draining_ = false;
        player->ended_ = true;
    }
    QMetaObject::invokeMethod(player, &PulseAudioPlayer::deliver, Qt::QueuedConnection);
}

void PulseAudioPlayer::streamState(pa_stream* s, void* self) {
    auto* player = static_cast<PulseAudioPlayer*>(self);
    const pa_stream_state_t state = pa_stream_get_state(s);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
        {
            std::lock_guard guard(player->mutex_);
            player->failure_ = QStringLiteral("Playback stopped: the sound server went away.");
        }
        QMetaObject::invokeMethod(player, &PulseAudioPlayer::deliver, Qt::QueuedConnection);
    }
    pa_threaded_mainloop_signal(player->server_->loop(), 0);
}

void PulseAudioPlayer::deliver() {
    int finished = 0;
    bool wantData = false, ended = false;
    QString failure;
    {
        std::lock_guard guard(mutex_);
        std::swap(finished, finishedArrays_);
        wantData = wantData_ && queue_.empty();
        wantData_ = false;
        std::swap(ended, ended_);
        failure.swap(failure_);
    }
    if (!failure.isEmpty()) {
        closeStream();
        emit OnError(failure);
        return;
    }
    for (int i = 0; i < finished && playing_; ++i)
        emit OnEndArrayPlay();
    if (wantData && playing_ && finished == 0)
        emit OnRequestOnLoadArray();
    if (ended && playing_) {
        playing_ = false;
        timer_.stop();
        emit OnEndPlay();
    }
}

} // namespace varnelo
