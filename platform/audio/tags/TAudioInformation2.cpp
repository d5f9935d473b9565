#include "platform/audio/tags/TAudioInformation2.h"

#include "platform/audio/tags/TagLibAccess.h"
#include "platform/core/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <cstdio>

namespace varnelo {
namespace {

// Why `path` cannot be opened as wanted, or an empty text when it can.
QString Unusable(const QString& path, bool forWriting) {
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the file does not exist");
    if (!info.isFile())
        return QStringLiteral("it is not a file");
    if (!info.isReadable())
        return QStringLiteral("the file cannot be read (no permission)");
    if (forWriting) {
        // The owner's write bit is the file's read-only mark, which also
        // binds users (root) whom the system would let write anyway.
        if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            return QStringLiteral("the file is read-only");
        if (!QFileInfo(info.absolutePath()).isWritable())
            return QStringLiteral("its folder is read-only");
    }
    return {};
}

// Copies `source` into the open `target` (a new file beside it).
void CopyContent(const QString& source, QFile& target, const QString& shownName) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("Cannot write the tags of \"%1\": %2.")
                           .arg(shownName, in.errorString()));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), buffer.size());
        if (got < 0 || (got > 0 && target.write(buffer.constData(), got) != got))
            throw AppError(QStringLiteral("Cannot write the tags of \"%1\": copying the file "
                                          "failed (%2).")
                               .arg(shownName, got < 0 ? in.errorString() : target.errorString()));
        if (got == 0)
            break;
    }
    if (!target.flush())
        throw AppError(QStringLiteral("Cannot write the tags of \"%1\": %2.")
                           .arg(shownName, target.errorString()));
}

} // namespace

int TAudioInformation2::GenreIndexOf(const QString& text) {
    static const QRegularExpression number(QStringLiteral(R"(^\(?\s*(\d{1,9})\s*\)?$)"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return -1;
    if (const auto match = number.match(trimmed); match.hasMatch()) {
        const int index = match.captured(1).toInt();
        return index < kGenreCount ? index : -1;
    }
    for (int i = 0; i < kGenreCount; ++i) {
        if (taglib_access::GenreName(i).compare(trimmed, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void TAudioInformation2::ReadFromFile(const QString& path) {
    if (const QString why = Unusable(path, false); !why.isEmpty())
        throw AppError(QStringLiteral("Cannot read the tags of \"%1\": %2.").arg(path, why));
    const auto format = taglib_access::FormatOf(path);
    Tags tags;
    Stream stream;
    taglib_access::Read(path, format, path, tags, stream);
    stream.size = QFileInfo(path).size();

    title_ = tags.title;
    artist_ = tags.artist;
    album_ = tags.album;
    comments_ = tags.comments;
    genre_ = static_cast<int16_t>(tags.genre);
    year_ = tags.year;
    track_ = static_cast<int16_t>(tags.track);
    stream_ = stream;
}

void TAudioInformation2::WriteToFile(const QString& path) {
    if (const QString why = Unusable(path, true); !why.isEmpty())
        throw AppError(QStringLiteral("Cannot write the tags of \"%1\": %2.").arg(path, why));
    const auto format = taglib_access::FormatOf(path);
    // Work on the file a link points at, so the link stays a link.
    const QString target = QFileInfo(path).canonicalFilePath();

    // TagLib rewrites files in place; on a full disk or a bad file that
    // would leave a cut file. Tag a copy and put it in place in one rename.
    QTemporaryFile copy(QFileInfo(target).absolutePath() + QStringLiteral("/.varnelo-tags-XXXXXX"));
    if (!copy.open())
        throw AppError(
            QStringLiteral("Cannot write the tags of \"%1\": %2.").arg(path, copy.errorString()));
    CopyContent(target, copy, path);
    copy.close();

    Tags tags;
    tags.title = title_;
    tags.artist = artist_;
    tags.album = album_;
    tags.comments = comments_;
    tags.genre = genre_ >= 0 && genre_ < kGenreCount ? genre_ : -1;
    tags.year = year_;
    tags.track = track_;
    taglib_access::Write(copy.fileName(), format, path, tags);

    QFile::setPermissions(copy.fileName(), QFile::permissions(target));
    if (std::rename(QFile::encodeName(copy.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0) {
        throw AppError(QStringLiteral("Cannot write the tags of \"%1\": the tagged file could "
                                      "not replace it.")
                           .arg(path));
    }
    copy.setAutoRemove(false); // it is the file now
}

QString TAudioInformation2::GenreName(int index) {
    return index >= 0 && index < kGenreCount ? taglib_access::GenreName(index) : QString();
}

void TAudioInformation2::setInfoGenreIndex(int32_t value) {
    genre_ = value >= 0 && value < kGenreCount ? static_cast<int16_t>(value) : int16_t{-1};
}

void TAudioInformation2::setInfoGenreS(const QString& value) {
    genre_ = static_cast<int16_t>(GenreIndexOf(value));
}

void TAudioInformation2::setInfoYear(int32_t value) {
    if (value < 0 || value > kMaxYear)
        throw AppError(
            QStringLiteral("The year %1 is not a year from 0 to %2.").arg(value).arg(kMaxYear));
    year_ = value;
}

void TAudioInformation2::setInfoTrack(int32_t value) {
    if (value < 0 || value > kMaxTrack)
        throw AppError(QStringLiteral("The track number %1 is not a number from 0 to %2.")
                           .arg(value)
                           .arg(kMaxTrack));
    track_ = static_cast<int16_t>(value);
}

} // namespace varnelo
