#include "platform/audio/factory/AudioComponents.h"

#include "platform/audio/file/TAudioFile2.h"
#include "platform/audio/pulse/PulseAudioPlayer.h"
#include "platform/audio/pulse/PulseAudioRecord.h"
#include "platform/audio/sim/SimAudioPlayer.h"
#include "platform/audio/sim/SimAudioRecord.h"
#include "platform/audio/sim/SimulatedSoundServer.h"
#include "platform/audio/tags/TAudioInformation2.h"

namespace varnelo {

namespace {

bool simulated() {
    return qEnvironmentVariable("VARNELO_SOUND_SERVER") == QLatin1String("simulated");
}

std::shared_ptr<SimulatedSoundServer> simulatedServer() {
    static std::weak_ptr<SimulatedSoundServer> shared;
    auto server = shared.lock();
    if (!server) {
        server = std::make_shared<SimulatedSoundServer>();
        shared = server;
    }
    return server;
}

} // namespace

std::unique_ptr<IAudioRecord2> CreateAudioRecord(QObject* parent) {
    if (simulated())
        return std::make_unique<SimAudioRecord>(simulatedServer(), parent);
    return std::make_unique<PulseAudioRecord>(parent);
}

std::unique_ptr<IAudioPlayer2> CreateAudioPlayer(QObject* parent) {
    if (simulated())
        return std::make_unique<SimAudioPlayer>(simulatedServer(), parent);
    return std::make_unique<PulseAudioPlayer>(parent);
}

std::unique_ptr<IAudioFile2> CreateAudioFile() {
    return std::make_unique<TAudioFile2>();
}

std::unique_ptr<IAudioInformation2> CreateAudioInformation() {
    return std::make_unique<TAudioInformation2>();
}

} // namespace varnelo
