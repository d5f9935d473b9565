#include "tags/WriteTagsToFile.h"

#include "platform/audio/api/IAudioInformation2.h"
#include "platform/core/AppError.h"
#include "platform/shell/InfoBox.h"
#include "settings/SettingsFile.h"

namespace varnelo {

namespace {
const QString kInfo = QStringLiteral("info");

// Sets one numeric tag from its stored text; false when the text is no whole
// number or the component refuses the value.
template <typename Setter> bool SetNumber(const QString& text, Setter setter) {
    int value = 0;
    if (!ParseTagNumber(text, value))
        return false;
    try {
        setter(value);
    } catch (const AppError&) {
        return false;
    }
    return true;
}

constexpr int kGenreCount = 148;

// The stored genre is the editor's index into the genre list (-1: none); the
// component takes the genre as text, so an index goes over as its name. Any
// other stored text is handed over as it stands.
QString GenreText(IAudioInformation2& info, const QString& stored) {
    bool isNumber = false;
    const int index = stored.trimmed().toInt(&isNumber, 10);
    if (!isNumber)
        return stored;
    if (index < 0 || index >= kGenreCount)
        return QString();
    return info.GenreName(index);
}
} // namespace

bool ParseTagNumber(const QString& text, int& value) {
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return false;
    value = parsed;
    return true;
}

void WriteTagsToFile(IAudioInformation2& info, const SettingsFile& settings, QWidget* parent,
                     const QString& path) {
    info.setInfoTitle(settings.ReadString(kInfo, QStringLiteral("title"), QString()));
    info.setInfoAlbum(settings.ReadString(kInfo, QStringLiteral("album"), QString()));
    info.setInfoArtist(settings.ReadString(kInfo, QStringLiteral("arist"), QString()));
    info.setInfoComments(settings.ReadString(kInfo, QStringLiteral("comment"), QString()));
    info.setInfoGenreS(
        GenreText(info, settings.ReadString(kInfo, QStringLiteral("genre"), QString())));

    const QString year = settings.ReadString(kInfo, QStringLiteral("year"), QStringLiteral("0"));
    if (!SetNumber(year, [&](int v) { info.setInfoYear(v); })) {
        ShowInfoBox(parent, QStringLiteral("Invalid Year Value"));
        return;
    }
    const QString track = settings.ReadString(kInfo, QStringLiteral("Track"), QStringLiteral("0"));
    if (!SetNumber(track, [&](int v) { info.setInfoTrack(v); })) {
        ShowInfoBox(parent, QStringLiteral("Invalid Track Value"));
        return;
    }
    info.WriteToFile(path);
}

} // namespace varnelo
