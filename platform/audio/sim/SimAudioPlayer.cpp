#include "platform/audio/sim/SimAudioPlayer.h"

#include "platform/audio/sim/SimulatedSoundServer.h"

namespace varnelo {

SimAudioPlayer::SimAudioPlayer(std::shared_ptr<SimulatedSoundServer> server, QObject* parent)
    : IAudioPlayer2(parent), server_(std::move(server)) {
    connect(server_.get(), &SimulatedSoundServer::ticked, this, &SimAudioPlayer::onTick);
}

void SimAudioPlayer::SetPlayFormat(int sampleRate, int channels) {
    rate_ = sampleRate > 0 ? sampleRate : 44100;
    channels_ = std::max(channels, 1);
}

void SimAudioPlayer::StartPlay() {
    if (playing_)
        return;
    playing_ = true;
    ended_ = false;
    ++run_;
    startedAt_ = server_->now();
    sinceStart_ = 0;
    nextTimerAt_ = rate_ / 10;
}

void SimAudioPlayer::StopPlay() {
    playing_ = false;
    queue_.clear(); // a seek is heard at once
    frontOffset_ = 0;
}

void SimAudioPlayer::PlayArray(const SampleArray& array) {
    queue_.push_back(array);
}

void SimAudioPlayer::onTick(qint64 now) {
    if (!playing_ || ended_)
        return;
    const int run = run_;
    int64_t due = (now - startedAt_) * rate_ / 1000000 - sinceStart_;
    while (due > 0 && playing_ && run == run_) {
        if (queue_.empty()) {
            // Nothing queued: the output starves (silence is not counted as heard).
            startedAt_ = now - sinceStart_ * 1000000 / rate_;
            emit OnRequestOnLoadArray();
            if (queue_.empty())
                return;
            continue;
        }
        SampleArray& front = queue_.front();
        if (front.samples.empty()) {
            queue_.pop_front();
            ended_ = true;
            emit OnEndPlay();
            return;
        }
        const int64_t left = int64_t(front.samples.size() - frontOffset_) / channels_;
        const int64_t n = std::min({due, left, std::max<int64_t>(nextTimerAt_ - sinceStart_, 1)});
        if (server_->manualClock())
            heard_.insert(heard_.end(), front.samples.begin() + frontOffset_,
                          front.samples.begin() + frontOffset_ + n * channels_);
        frontOffset_ += size_t(n * channels_);
        sinceStart_ += n;
        due -= n;
        if (frontOffset_ >= front.samples.size()) {
            queue_.pop_front();
            frontOffset_ = 0;
            emit OnEndArrayPlay();
        }
        if (sinceStart_ >= nextTimerAt_ && playing_ && run == run_) {
            nextTimerAt_ += rate_ / 10;
            emit OnTimer(sinceStart_, 0, 0);
        }
    }
}

} // namespace varnelo
