// Developer tool: renders the settings dialog's panes and the recording
// source window to PNG files, offscreen, on the simulated sound server.
//   varnelo_dialog_preview [output directory]
#include "platform/audio/file/TAudioFile2.h"
#include "platform/audio/sim/SimAudioRecord.h"
#include "platform/audio/sim/SimulatedSoundServer.h"
#include "schedule/Tfm_sche.h"
#include "settings/SettingsFile.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_dir.h"
#include "settings/Tfm_set.h"
#include "tests/recording_source/ShowSequenceFill.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QWindow>
#include <cstdio>

using namespace varnelo;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    QTemporaryDir config;
    SettingsFile settings(config.filePath("Varn.ini"));
    TAudioFile2 fileWrite;
    auto server = std::make_shared<SimulatedSoundServer>(SimulatedSoundServer::Clock::Manual);
    SimAudioRecord record(server);
    Tfm_sche fm_sche(settings);
    Tfm_dev fm_dev(record);
    Tfm_set fm_set(settings, fileWrite, fm_dev, fm_sche);
    Tfm_dir fm_dir(settings, fm_set);
    fm_set.SetDirectoryDialog(&fm_dir);
    testing::FillLikeShowSequence(fm_dev, record, settings);

    fm_set.move(0, 0);
    fm_set.show();
    bool ok = true;
    auto save = [&](const QPixmap& picture, const QString& name) {
        ok = picture.save(out.filePath(name)) && ok;
        std::printf("%s\n", qPrintable(out.filePath(name)));
    };
    const char* names[] = {"source", "file", "schedule", "format", "ogg", "about"};
    for (int position = 0; position < 6; ++position) {
        fm_set.ShowPane(position);
        QPixmap picture = fm_set.grab();
        // Windows laid over the dialog are drawn where they stand on screen.
        QPainter painter(&picture);
        for (QWidget* over : {static_cast<QWidget*>(&fm_dev), static_cast<QWidget*>(&fm_sche)})
            if (over->isVisible())
                painter.drawPixmap(over->pos() - fm_set.pos(), over->grab());
        painter.end();
        save(picture, QStringLiteral("dialog-set-%1.png").arg(names[position]));
    }
    fm_dev.move(0, 0);
    fm_dev.show();
    save(fm_dev.grab(), QStringLiteral("dialog-dev.png"));
    fm_dev.dev_bt_helpClick();
    save(fm_dev.grab(), QStringLiteral("dialog-dev-help.png"));
    fm_dir.show();
    save(fm_dir.grab(), QStringLiteral("dialog-dir.png"));
    return ok ? 0 : 1;
}
