#pragma once

#include "platform/audio/api/IAudioFile2.h"
#include "platform/audio/api/IAudioInformation2.h"
#include "platform/audio/api/IAudioPlayer2.h"
#include "platform/audio/api/IAudioRecord2.h"

#include <memory>

namespace varnelo {

// The audio components that sit on the main window. The program makes the
// real ones (the desktop's sound server, or the simulated one when
// VARNELO_SOUND_SERVER=simulated); tests hand in their own.
struct AudioComponentSet {
    std::unique_ptr<IAudioRecord2> AudioRecord1;
    std::unique_ptr<IAudioPlayer2> AudioPlayer21;
    std::unique_ptr<IAudioFile2> AudioFileWrite;
    std::unique_ptr<IAudioFile2> AudioFilepaly;
    std::unique_ptr<IAudioInformation2> AudioInformation21;

    static AudioComponentSet CreateDefault();
};

} // namespace varnelo
