# The look shared by every dialog (one style sheet in the skin's colours).
add_library(varnelo_dialog_style STATIC DialogStyle.cpp DialogStyle.h dialogs.qrc)
target_link_libraries(varnelo_dialog_style PUBLIC varnelo_core Qt6::Widgets)

# The settings, recording source and output directory dialogs.
add_library(varnelo_settings_ui STATIC
    Tfm_set.cpp Tfm_set.h
    Tfm_dev.cpp Tfm_dev.h
    Tfm_dir.cpp Tfm_dir.h
    HelpPages.cpp HelpPages.h
    UpDown.cpp UpDown.h)
target_link_libraries(varnelo_settings_ui
    PUBLIC varnelo_settings_file varnelo_schedule varnelo_audio_api varnelo_shell
           varnelo_dialog_style varnelo_core Qt6::Widgets)
