#include "app/AudioComponentSet.h"

#include "platform/audio/factory/AudioComponents.h"

namespace varnelo {

AudioComponentSet AudioComponentSet::CreateDefault() {
    AudioComponentSet set;
    set.AudioRecord1 = CreateAudioRecord();
    set.AudioPlayer21 = CreateAudioPlayer();
    set.AudioFileWrite = CreateAudioFile();
    set.AudioFilepaly = CreateAudioFile();
    set.AudioInformation21 = CreateAudioInformation();
    return set;
}

} // namespace varnelo
