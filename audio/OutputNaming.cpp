#include "audio/OutputNaming.h"

#include "platform/core/AppError.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace varnelo {

int EffectiveOutputFormat(int storedFormat) {
    return storedFormat == OutputFormatRaw ? OutputFormatRaw : OutputFormatOgg;
}

QString DefaultOutputDirectory() {
    return QDir::homePath() + QStringLiteral("/Ro Dezirevu");
}

OutputNameSettings ReadOutputNameSettings(const SettingsFile& settings) {
    const QString section = QStringLiteral("output");
    OutputNameSettings names;
    names.dir = settings.ReadString(section, QStringLiteral("dir"), DefaultOutputDirectory());
    names.mainName =
        settings.ReadString(section, QStringLiteral("out_name"), QStringLiteral("ZEV"));
    names.custom = settings.ReadBool(section, QStringLiteral("rb_cust"), true);
    names.format =
        EffectiveOutputFormat(settings.ReadInteger(section, QStringLiteral("format"), 0));
    return names;
}

QString DateTimeStamp(const QDateTime& when) {
    return when.toString(QStringLiteral("dd-MM-yyyy--HH;mm;ss"));
}

QString BuildOutputPath(const OutputNameSettings& names, const QDateTime& when) {
    QString path = names.dir + QLatin1Char('/') + names.mainName;
    if (EffectiveOutputFormat(names.format) == OutputFormatRaw) {
        if (!names.custom)
            path += DateTimeStamp(when); // RAW names carry the stamp without "-"
        return path + QStringLiteral(".raw");
    }
    if (!names.custom)
        path += QLatin1Char('-') + DateTimeStamp(when);
    return path + QStringLiteral(".OGG");
}

QString ShownName(const QString& path, const QString& mainName) {
    const qsizetype at = mainName.isEmpty() ? path.indexOf(QLatin1Char('-'))
                                            : path.indexOf(mainName, 0, Qt::CaseSensitive);
    return at < 0 ? path : path.mid(at);
}

void EnsureOutputDirectory(const QString& dir) {
    if (QFileInfo(dir).isDir())
        return;
    if (!QDir().mkpath(dir) || !QFileInfo(dir).isDir())
        throw AppError(QStringLiteral("Cannot create the output directory \"%1\".").arg(dir));
}

QString OutputNameRun::Claim(const QString& path) {
    QString name = path;
    if (used_.contains(name)) {
        // The number goes before the extension (the last "." of the file name).
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
        if (dot <= slash)
            dot = path.size();
        for (int n = 2;; ++n) {
            name = path.left(dot) + QLatin1Char('-') + QString::number(n) + path.mid(dot);
            if (!used_.contains(name))
                break;
        }
    }
    used_.insert(name);
    return name;
}

} // namespace varnelo
