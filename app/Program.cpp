#include "app/Program.h"

#include "app/Tfm_main.h"
#include "joiner/Tfm_list.h"
#include "schedule/Tfm_sche.h"
#include "settings/DialogStyle.h"
#include "settings/Tfm_dev.h"
#include "settings/Tfm_dir.h"
#include "settings/Tfm_set.h"
#include "tags/Tfm_id3.h"

#include <QCoreApplication>
#include <QDir>

namespace varnelo {

Program::Program(SettingsFile& settings, AudioComponentSet components, const QString& skinPath) {
    fm_main = std::make_unique<Tfm_main>(settings, std::move(components), skinPath);
    fm_sche = std::make_unique<Tfm_sche>(settings);
    fm_dev = std::make_unique<Tfm_dev>(*fm_main->AudioRecord1);
    fm_id3 = std::make_unique<Tfm_id3>(*fm_main->AudioInformation21, settings);
    // The tag editor wears the dialogs' look like every other window.
    ApplyDialogStyle(*fm_id3);
    fm_set = std::make_unique<Tfm_set>(settings, *fm_main->AudioFileWrite, *fm_dev, *fm_sche);
    fm_dir = std::make_unique<Tfm_dir>(settings, *fm_set);
    fm_list = std::make_unique<Tfm_list>(fm_main->State(), *fm_main->AudioFilepaly, fm_main->Skin1,
                                         fm_main.get());
    fm_set->SetDirectoryDialog(fm_dir.get());
    fm_main->SetWindows(
        {fm_sche.get(), fm_dev.get(), fm_id3.get(), fm_set.get(), fm_dir.get(), fm_list.get()});
}

Program::~Program() {
    // In reverse order: later windows hold references into earlier ones.
    fm_list.reset();
    fm_dir.reset();
    fm_set.reset();
    fm_id3.reset();
    fm_dev.reset();
    fm_sche.reset();
    fm_main.reset();
}

QString Program::DefaultSkinPath() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("du3vor.dll"));
}

} // namespace varnelo
