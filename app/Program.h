#pragma once

#include "app/AudioComponentSet.h"

#include <QString>
#include <memory>

namespace varnelo {

class SettingsFile;
class Tfm_dev;
class Tfm_dir;
class Tfm_id3;
class Tfm_list;
class Tfm_main;
class Tfm_sche;
class Tfm_set;

// Every window of the program, created once in this order and kept until
// the program ends: fm_main, fm_sche, fm_dev, fm_id3, fm_set, fm_dir,
// fm_list. All are top-level windows and start hidden; showing fm_main runs
// its show sequence. GUI thread only.
class Program {
public:
    Program(SettingsFile& settings, AudioComponentSet components, const QString& skinPath);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // du3vor.dll in the directory of the running executable.
    static QString DefaultSkinPath();

    std::unique_ptr<Tfm_main> fm_main;
    std::unique_ptr<Tfm_sche> fm_sche;
    std::unique_ptr<Tfm_dev> fm_dev;
    std::unique_ptr<Tfm_id3> fm_id3;
    std::unique_ptr<Tfm_set> fm_set;
    std::unique_ptr<Tfm_dir> fm_dir;
    std::unique_ptr<Tfm_list> fm_list;
};

} // namespace varnelo
