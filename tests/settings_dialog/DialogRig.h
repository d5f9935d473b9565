#pragma once

// The dialogs wired as the program wires them, on a private settings file,
// the real file component (its encoder answers the OGG check) and the
// simulated sound server. Message boxes are recorded, not shown.
#include "platform/audio/file/TAudioFile2.h"
#include "platform/audio/sim/SimAudioRecord.h"
#include "platform/audio/sim/SimulatedSoundServer.h"
#include "platform/shell/InfoBox.h"
#include "schedule/Tfm_sche.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_dir.h"
#include "settings/Tfm_set.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace varnelo::testing {

class InfoBoxRecorder {
public:
    InfoBoxRecorder()
        : previous_(SetInfoBoxHandler([this](QWidget*, const QString& text) { texts << text; })) {}
    ~InfoBoxRecorder() { SetInfoBoxHandler(previous_); }
    QStringList texts;

private:
    InfoBoxHandler previous_;
};

struct DialogRig {
    explicit DialogRig(const QString& settingsName = QStringLiteral("Varn.ini"),
                       IAudioFile2* fileWriteOverride = nullptr)
        : settings(dir.filePath(settingsName)),
          server(std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual)),
          record(server), fm_sche(settings), fm_dev(record),
          fm_set(settings, fileWriteOverride ? *fileWriteOverride : fileWrite, fm_dev, fm_sche),
          fm_dir(settings, fm_set) {
        fm_set.SetDirectoryDialog(&fm_dir);
    }

    bool SettingsFileExists() const { return QFile::exists(settings.path()); }
    QByteArray SettingsBytes() const {
        QFile file(settings.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    SettingsFile settings;
    TAudioFile2 fileWrite;
    std::shared_ptr<SimulatedSoundServer> server;
    SimAudioRecord record;
    Tfm_sche fm_sche;
    Tfm_dev fm_dev;
    Tfm_set fm_set;
    Tfm_dir fm_dir;
    InfoBoxRecorder boxes;
};

} // namespace varnelo::testing
