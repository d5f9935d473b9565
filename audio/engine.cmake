# The main window's recording and playback operations and their pure rules.
add_library(varnelo_audio_engine STATIC
    AudioEngine.cpp AudioEngine.h
    OutputNaming.cpp OutputNaming.h
    EncoderSetup.cpp EncoderSetup.h
    LengthLimit.cpp LengthLimit.h
    TimeText.cpp TimeText.h
    PlayBarMapping.cpp PlayBarMapping.h)
target_link_libraries(varnelo_audio_engine
    PUBLIC varnelo_engine_state varnelo_settings_file varnelo_audio_api varnelo_shell
           Qt6::Core Qt6::Widgets)
