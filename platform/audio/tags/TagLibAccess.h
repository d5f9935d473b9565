#pragma once

#include "platform/audio/tags/TAudioInformation2.h"

#include <QString>

namespace varnelo::taglib_access {

// The formats the tag component handles, told by the file name's extension.
enum class Format { Mp3, Ogg, Wma, Wav, Flac };

// The format of `path` by its extension; throws AppError for any other.
Format FormatOf(const QString& path);

// Reads the tags and stream information of `path` (read as `format`).
// Throws AppError naming `shownName` when TagLib cannot read it.
void Read(const QString& path, Format format, const QString& shownName,
          TAudioInformation2::Tags& tags, TAudioInformation2::Stream& stream);

// Writes `tags` into `path` (of `format`) in place. Throws AppError naming
// `shownName` when TagLib cannot open or save it.
void Write(const QString& path, Format format, const QString& shownName,
           const TAudioInformation2::Tags& tags);

// TagLib's name of ID3v1 genre `index`.
QString GenreName(int index);

} // namespace varnelo::taglib_access
