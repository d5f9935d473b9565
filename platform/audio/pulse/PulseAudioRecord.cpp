#include "platform/audio/pulse/PulseAudioRecord.h"

#include "platform/core/AppError.h"

#include <QMetaObject>
#include <cstring>

namespace varnelo {

PulseAudioRecord::PulseAudioRecord(QObject* parent)
    : IAudioRecord2(parent), server_(PulseServer::Connect()) {
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] {
        deliver();
        if (capturing_)
            emit OnTimer(sinceStart_, 0, 0);
    });
    if (server_)
        refreshLines();
}

PulseAudioRecord::~PulseAudioRecord() {
    closeStream();
}

int PulseAudioRecord::DeviceLastIndex() {
    return server_ ? 0 : -1;
}

void PulseAudioRecord::SelectDevice(int) {
    if (server_)
        refreshLines();
}

QString PulseAudioRecord::DeviceName() {
    return server_ ? server_->ServerName() : QString();
}

int PulseAudioRecord::DeviceLineCount() {
    return int(lines_.size());
}

void PulseAudioRecord::refreshLines() {
    lines_.clear();
    for (const auto& source : server_->Sources()) {
        if (source.ports.empty())
            lines_.push_back({source.name, {}, source.description});
        for (const auto& port : source.ports) {
            // One port of a one-port source is best known by the source's name.
            const QString name =
                source.ports.size() == 1
                    ? source.description
                    : port.description + QStringLiteral(" (") + source.description + u')';
            lines_.push_back({source.name, port.name, name});
        }
    }
}

const PulseAudioRecord::Line* PulseAudioRecord::currentLine() const {
    return line_ >= 1 && line_ <= int(lines_.size()) ? &lines_[size_t(line_ - 1)] : nullptr;
}

void PulseAudioRecord::SelectLine(int line) {
    line_ = line;
}

QString PulseAudioRecord::LineName() {
    const Line* l = currentLine();
    return l ? l->name : QString();
}

bool PulseAudioRecord::LineSelected() {
    const Line* l = currentLine();
    if (!l || !server_ || server_->DefaultSource() != l->source)
        return false;
    if (l->port.isEmpty())
        return true;
    for (const auto& s : server_->Sources())
        if (s.name == l->source)
            return s.activePort == l->port;
    return false;
}

void PulseAudioRecord::SetLineSelected(bool selected) {
    const Line* l = currentLine();
    if (!selected || !l || !server_)
        return;
    liveSource(*l); // a line that went away is reported by name
    server_->SetDefaultSource(l->source);
    if (!l->port.isEmpty())
        server_->SetSourcePort(l->source, l->port);
}

PulseServer::Source PulseAudioRecord::liveSource(const Line& line) {
    for (auto& s : server_->Sources())
        if (s.name == line.source)
            return s;
    throw AppError(
        QStringLiteral("The recording line \"%1\" is no longer available.").arg(line.name));
}

int PulseAudioRecord::LineVolume() {
    const Line* l = currentLine();
    if (!l || !server_)
        return 0;
    const PulseServer::Source s = liveSource(*l);
    return int(pa_cvolume_avg(&s.volume));
}

void PulseAudioRecord::SetLineVolume(int volume) {
    const Line* l = currentLine();
    if (!l || !server_)
        return;
    pa_cvolume v = liveSource(*l).volume;
    pa_cvolume_set(&v, v.channels, pa_volume_t(std::clamp(volume, 0, 65536)));
    server_->SetSourceVolume(l->source, v);
}

void PulseAudioRecord::SetRecordFormat(int sampleRate, int channels) {
    // A new format starts a new recording: nothing of the last one carries over.
    closeStream();
    rate_ = sampleRate > 0 ? sampleRate : 44100;
    channels_ = std::clamp(channels, 1, 2);
    blocks_.Reset(rate_, channels_);
    lostWhilePaused_.clear();
    std::lock_guard guard(mutex_);
    captured_.clear();
}

void PulseAudioRecord::StartRecord() {
    if (!lostWhilePaused_.isEmpty()) {
        // A resume cannot go on where the pause began: say so instead of
        // recording from somewhere else.
        QString message;
        message.swap(lostWhilePaused_);
        throw AppError(message);
    }
    status_ = 0;
    statusText_.clear();
    if (!server_ || !server_->alive()) {
        status_ = 1;
        statusText_ = QStringLiteral("No sound server is running: start PulseAudio or PipeWire "
                                     "to record.");
        return;
    }
    sinceStart_ = 0;
    if (stream_) {
        // Resuming a pause: the same stream goes on where it stopped.
        PulseLock lock(server_->loop());
        if (pa_stream_get_state(stream_) != PA_STREAM_READY)
            throw AppError(QStringLiteral("Recording cannot go on: the sound server or the "
                                          "recording source went away."));
        server_->wait(pa_stream_cork(
            stream_, 0,
            [](pa_stream*, int, void* loop) {
                pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0);
            },
            server_->loop()));
    } else {
        const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, uint32_t(rate_), uint8_t(channels_)};
        const Line* l = currentLine();
        const QByteArray source = l ? l->source.toUtf8() : QByteArray();
        PulseLock lock(server_->loop());
        stream_ = pa_stream_new(server_->context(), "Recording", &spec, nullptr);
        if (!stream_) {
            status_ = 2;
            statusText_ = QStringLiteral("The sound server refused %1 Hz with %2 channel(s): %3")
                              .arg(rate_)
                              .arg(channels_)
                              .arg(server_->lastError());
            return;
        }
        pa_stream_set_read_callback(stream_, &PulseAudioRecord::streamRead, this);
        pa_stream_set_state_callback(stream_, &PulseAudioRecord::streamState, this);
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.fragsize = uint32_t(pa_usec_to_bytes(20000, &spec));
        // A chosen line is recorded or nothing: when its source goes away the
        // recording ends with an error instead of moving to another source.
        const auto flags = pa_stream_flags_t(PA_STREAM_ADJUST_LATENCY |
                                             (source.isEmpty() ? 0 : PA_STREAM_DONT_MOVE));
        if (pa_stream_connect_record(stream_, source.isEmpty() ? nullptr : source.constData(),
                                     &attr, flags) < 0) {
            status_ = 3;
        } else {
            while (pa_stream_get_state(stream_) == PA_STREAM_CREATING)
                pa_threaded_mainloop_wait(server_->loop());
            if (pa_stream_get_state(stream_) != PA_STREAM_READY)
                status_ = 3;
        }
        if (status_) {
            statusText_ = QStringLiteral("Recording could not start: %1").arg(server_->lastError());
            dropStream();
            return;
        }
    }
    capturing_ = true;
    timer_.start();
}

void PulseAudioRecord::StopRecord() {
    if (!capturing_)
        return;
    capturing_ = false;
    timer_.stop();
    if (stream_ && server_) {
        // Corked, the source keeps nothing new; what was captured stays queued
        // for the resume, so a pause leaves neither a gap nor a repeat.
        PulseLock lock(server_->loop());
        pa_operation* op = pa_stream_cork(stream_, 1, nullptr, nullptr);
        if (op)
            pa_operation_unref(op);
    }
}

void PulseAudioRecord::closeStream() {
    capturing_ = false;
    timer_.stop();
    if (!stream_ || !server_)
        return;
    PulseLock lock(server_->loop());
    dropStream();
}

void PulseAudioRecord::dropStream() {
    pa_stream_set_read_callback(stream_, nullptr, nullptr);
    pa_stream_set_state_callback(stream_, nullptr, nullptr);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
    stream_ = nullptr;
    // The stream's callbacks are gone: what it left behind (data, a failure)
    // must not reach a later stream through a deliver already queued.
    std::lock_guard guard(mutex_);
    captured_.clear();
    failure_.clear();
}

SampleArray PulseAudioRecord::GetRecordArray() {
    return blocks_.Take();
}

void PulseAudioRecord::streamRead(pa_stream* s, size_t, void* self) {
    auto* rec = static_cast<PulseAudioRecord*>(self);
    while (pa_stream_readable_size(s) > 0) {
        const void* data = nullptr;
        size_t bytes = 0;
        if (pa_stream_peek(s, &data, &bytes) < 0 || bytes == 0)
            break;
        {
            std::lock_guard guard(rec->mutex_);
            const size_t count = bytes / sizeof(float);
            const size_t at = rec->captured_.size();
            rec->captured_.resize(at + count, 0.0f); // a hole is silence
            if (data)
                std::memcpy(rec->captured_.data() + at, data, count * sizeof(float));
        }
        pa_stream_drop(s);
    }
    if (!rec->posted_.exchange(true))
        QMetaObject::invokeMethod(rec, &PulseAudioRecord::deliver, Qt::QueuedConnection);
}

void PulseAudioRecord::streamState(pa_stream* s, void* self) {
    auto* rec = static_cast<PulseAudioRecord*>(self);
    const pa_stream_state_t state = pa_stream_get_state(s);
    if (state == PA_STREAM_FAILED || state == PA_STREAM_TERMINATED) {
        {
            std::lock_guard guard(rec->mutex_);
            rec->failure_ = QStringLiteral("Recording stopped: the sound server or the recording "
                                           "source went away (%1).")
                                .arg(QString::fromUtf8(
                                    pa_strerror(pa_context_errno(pa_stream_get_context(s)))));
        }
        QMetaObject::invokeMethod(rec, &PulseAudioRecord::deliver, Qt::QueuedConnection);
    }
    pa_threaded_mainloop_signal(rec->server_->loop(), 0);
}

void PulseAudioRecord::deliver() {
    posted_ = false;
    std::vector<float> captured;
    QString failure;
    {
        std::lock_guard guard(mutex_);
        captured.swap(captured_);
        failure.swap(failure_);
    }
    sinceStart_ += int64_t(captured.size()) / channels_;
    blocks_.Append(captured.data(), captured.size());
    // Blocks wait while paused or stopped; a resume hands them on in order.
    while (capturing_ && blocks_.HasBlock()) {
        const size_t before = blocks_.ReadyCount();
        emit OnEndArrayRecord(nBlock_++);
        if (blocks_.ReadyCount() >= before)
            break; // the handler took nothing: do not spin
    }
    if (!failure.isEmpty())
        fail(failure);
}

void PulseAudioRecord::fail(const QString& message) {
    const bool wasCapturing = capturing_;
    const bool paused = !capturing_ && stream_;
    closeStream();
    if (wasCapturing)
        emit OnError(message);
    else if (paused)
        lostWhilePaused_ = message; // told at the resume
}

} // namespace varnelo
