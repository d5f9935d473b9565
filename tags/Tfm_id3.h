#pragma once

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace varnelo {

class IAudioInformation2;
class SettingsFile;

// The tag editor window (fm_id3, "ID3 info"): the seven tags of a file or of
// the stored defaults, and the file's stream information. This change builds
// the window and its controls; choosing the mode on show and the "OK" and
// "Clear" operations land with the editor's logic later. GUI thread only.
class Tfm_id3 : public QDialog {
    Q_OBJECT
public:
    Tfm_id3(IAudioInformation2& AudioInformation21, SettingsFile& settings,
            QWidget* parent = nullptr);
    ~Tfm_id3() override;

    // Tags
    QLineEdit* infoFileName = nullptr;
    QLineEdit* infoTitle = nullptr;
    QLineEdit* infoArtist = nullptr;
    QLineEdit* infoAlbum = nullptr;
    QComboBox* infoGenre = nullptr;
    QLineEdit* infoYear = nullptr;
    QLineEdit* infoTrack = nullptr;
    QLineEdit* infoComment = nullptr;
    // Stream information (read-only, in a disabled group)
    QGroupBox* streamGroup = nullptr;
    QLineEdit* infoFrequency = nullptr;
    QLineEdit* infoBitrate = nullptr;
    QLineEdit* infoDuration = nullptr;
    QLineEdit* infoChannels = nullptr;
    QLineEdit* infoSamples = nullptr;
    QLineEdit* infoSize = nullptr;
    QLineEdit* infoBitsPerSample = nullptr;
    QLineEdit* infoFormatTag = nullptr;
    // Buttons
    QPushButton* btnApply = nullptr;
    QPushButton* btnReset = nullptr;
    QPushButton* Button2 = nullptr;

    void Button2Click();

private:
    void FormCreate();

    IAudioInformation2& AudioInformation21_;
    SettingsFile& settings_;
};

} // namespace varnelo
