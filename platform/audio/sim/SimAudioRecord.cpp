#include "platform/audio/sim/SimAudioRecord.h"

#include "platform/audio/sim/SimulatedSoundServer.h"

namespace varnelo {

SimAudioRecord::SimAudioRecord(std::shared_ptr<SimulatedSoundServer> server, QObject* parent)
    : IAudioRecord2(parent), server_(std::move(server)) {
    connect(server_.get(), &SimulatedSoundServer::ticked, this, &SimAudioRecord::onTick);
}

QString SimAudioRecord::DeviceName() {
    return SimulatedSoundServer::DeviceName();
}
int SimAudioRecord::DeviceLineCount() {
    return int(server_->lines().size());
}

bool SimAudioRecord::lineValid() const {
    return line_ >= 1 && line_ <= int(server_->lines().size());
}

void SimAudioRecord::SelectLine(int line) {
    line_ = line;
}

QString SimAudioRecord::LineName() {
    return lineValid() ? server_->lines()[size_t(line_ - 1)].name : QString();
}

bool SimAudioRecord::LineSelected() {
    return lineValid() && server_->activeLine() == line_;
}

void SimAudioRecord::SetLineSelected(bool selected) {
    if (selected && lineValid())
        server_->setActiveLine(line_);
}

int SimAudioRecord::LineVolume() {
    return lineValid() ? server_->lines()[size_t(line_ - 1)].volume : 0;
}

void SimAudioRecord::SetLineVolume(int volume) {
    if (lineValid())
        server_->lines()[size_t(line_ - 1)].volume = std::clamp(volume, 0, 65536);
}

void SimAudioRecord::SetRecordFormat(int sampleRate, int channels) {
    rate_ = sampleRate > 0 ? sampleRate : 44100;
    channels_ = std::clamp(channels, 1, 2);
    blocks_.Reset(rate_, channels_);
}

void SimAudioRecord::StartRecord() {
    if (capturing_)
        return;
    capturing_ = true;
    ++run_;
    startedAt_ = server_->now();
    sinceStart_ = 0;
    nextTimerAt_ = rate_ / 10;
}

void SimAudioRecord::StopRecord() {
    capturing_ = false;
}

SampleArray SimAudioRecord::GetRecordArray() {
    return blocks_.Take();
}

void SimAudioRecord::onTick(qint64 now) {
    if (!capturing_)
        return;
    const int64_t due = (now - startedAt_) * rate_ / 1000000 - sinceStart_;
    int64_t produced = 0;
    const int run = run_;
    // A handler may stop, or stop and start again; then this tick is over.
    while (produced < due && capturing_ && run == run_) {
        // Up to the end of the block being filled, or the next timer event.
        const int64_t n = std::min({due - produced, blocks_.FramesToNextBlock(),
                                    std::max<int64_t>(nextTimerAt_ - sinceStart_, 1)});
        chunk_.resize(size_t(n * channels_));
        server_->render(position_, n, rate_, channels_, chunk_.data());
        position_ += n;
        sinceStart_ += n;
        produced += n;
        blocks_.Append(chunk_.data(), chunk_.size());
        while (capturing_ && run == run_ && blocks_.HasBlock()) {
            const size_t before = blocks_.ReadyCount();
            emit OnEndArrayRecord(nBlock_++);
            if (blocks_.ReadyCount() >= before)
                break; // the handler took nothing: the block waits for the next one
        }
        // A handler that stopped the capture gets no timer event of the old run.
        if (capturing_ && run == run_ && sinceStart_ >= nextTimerAt_) {
            nextTimerAt_ += rate_ / 10;
            emit OnTimer(sinceStart_, 0, 0);
        }
    }
}

} // namespace varnelo
