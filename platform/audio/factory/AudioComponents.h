#pragma once

#include "platform/audio/api/IAudioFile2.h"
#include "platform/audio/api/IAudioInformation2.h"
#include "platform/audio/api/IAudioPlayer2.h"
#include "platform/audio/api/IAudioRecord2.h"

#include <memory>

namespace varnelo {

// The program's audio components. With VARNELO_SOUND_SERVER=simulated in the
// environment the recorder and player use the simulated sound server (one
// shared instance); otherwise the desktop's sound server.
std::unique_ptr<IAudioRecord2> CreateAudioRecord(QObject* parent = nullptr);
std::unique_ptr<IAudioPlayer2> CreateAudioPlayer(QObject* parent = nullptr);
std::unique_ptr<IAudioFile2> CreateAudioFile();
std::unique_ptr<IAudioInformation2> CreateAudioInformation();

} // namespace varnelo
