#include "audio/LengthLimit.h"

#include "settings/SettingsFile.h"

#include <QString>

namespace varnelo {

std::optional<int64_t> ParseLimitSeconds(const QString& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<LengthLimit> ReadLengthLimit(const SettingsFile& settings) {
    const QString section = QStringLiteral("file");
    if (!settings.ReadBool(section, QStringLiteral("enlength"), false) ||
        !settings.ReadBool(section, QStringLiteral("rbtime"), false))
        return std::nullopt;
    const auto seconds = ParseLimitSeconds(
        settings.ReadString(section, QStringLiteral("timet"), QStringLiteral("120")));
    if (!seconds)
        return std::nullopt;
    LengthLimit limit;
    limit.seconds = *seconds;
    limit.stop = settings.ReadBool(section, QStringLiteral("limit_s"), false);
    limit.newFile = settings.ReadBool(section, QStringLiteral("limit_n"), false);
    return limit;
}

} // namespace varnelo
