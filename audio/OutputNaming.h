#pragma once

#include <QDateTime>
#include <QSet>
#include <QString>

namespace varnelo {

class SettingsFile;

// Output formats a recording knows; every other stored format records as OGG.
inline constexpr int OutputFormatOgg = 0;
inline constexpr int OutputFormatRaw = 4;
int EffectiveOutputFormat(int storedFormat);

// The [output] keys the naming rule reads.
struct OutputNameSettings {
    QString dir;      // used as stored: a trailing "/" gives two separators
    QString mainName; // "out_name"
    bool custom = true;
    int format = OutputFormatOgg;
};
OutputNameSettings ReadOutputNameSettings(const SettingsFile& settings);
QString DefaultOutputDirectory(); // <home>/Ro Dezirevu

// "dd-mm-yyyy--hh;mm;ss"
QString DateTimeStamp(const QDateTime& when);

// The full path the naming rule gives for a recording started at `when`.
QString BuildOutputPath(const OutputNameSettings& names, const QDateTime& when);

// The tail shown after "File Name: ": from the first occurrence of the main
// name; with an empty main name from the first "-"; otherwise the whole path.
QString ShownName(const QString& path, const QString& mainName);

// Creates the output directory (and missing parents) when needed; throws
// AppError naming it when it cannot be made.
void EnsureOutputDirectory(const QString& dir);

// Keeps the parts of one recording apart: a roll-over at the length limit
// never reuses a name of the same run; the new part gets "-2", "-3"...
// before the extension. A fresh start begins a new run.
class OutputNameRun {
public:
    void Begin() { used_.clear(); }
    QString Claim(const QString& path);

private:
    QSet<QString> used_;
};

} // namespace varnelo
